#include "script/constant_statements.h"
#include "script/math_object.h"
#include "script/script_host.h"
#include "script/script_names.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace tavex::script {
namespace {

TEST(ScriptHost, EvaluatesWithVBScriptsOperatorsAndNumbers)
{
    const double atn1 = std::atan(1.0);
    struct Case { const char* expression; double value; };
    const Case cases[] = {
        // Precedence, lowest first: comparisons, + -, Mod, \, * /, unary minus, ^.
        {"-2^2", -4}, {"2^-1", 0.5}, {"2^3^2", 64}, {"2^-1^2", 0.25}, {"-3^2", -9}, {"(-3)^2", 9},
        {"1 + 2 * 3 ^ 2", 19}, {"5 > 3", -1}, {"1 + 2 = 3", -1}, {"1 < 2 = -1", -1}, {"3 <> 3", 0},
        {"2 <= 2", -1}, {"2 >= 3", 0}, {"1 + 5 Mod 3", 3}, {"2 * 3 Mod 4", 2}, {"10 Mod 4 \\ 2", 0},
        {"7 \\ 2 * 2", 1}, {"8 / 2 / 2", 2}, {"8 - 2 - 2", 4}, {"2 * -3", -6}, {"- - 2", 2}, {"+-+2", -2},
        // \ and Mod round both operands half to even, then truncate / keep the dividend's sign.
        {"7 \\ 2", 3}, {"-7 \\ 2", -3}, {"7 Mod -3", 1}, {"-7 Mod 3", -1}, {"2.5 \\ 1", 2}, {"3.5 \\ 1", 4},
        {"5.5 Mod 2", 0}, {"-2147483648.5 \\ 1", -2147483648.0},
        // The logical operators are bitwise on Longs; Not takes a whole comparison.
        {"Not 0", -1}, {"Not 1 = 2", -1}, {"1 Or 2 And 3", 3}, {"5 Xor 3", 6}, {"0 Imp 0", -1},
        {"-1 Eqv 0", 0}, {"True + True", -2}, {"False", 0}, {"1 = 1 And 2 = 2", -1},
        // Numbers in VBScript's forms; a hexadecimal or octal Integer or Long in two's complement.
        {"12", 12}, {"1.5", 1.5}, {".5", 0.5}, {"1.5E3", 1500}, {"1e-3", 0.001}, {"1.E2", 100}, {"1e-400", 0},
        {"&H1F", 31}, {"&O17", 15}, {"&17", 15}, {"&HFFFF", -1}, {"&H8000", -32768}, {"&H10000", 65536},
        {"&HFFFFFFFF", -1}, {"&h7fffffff", 2147483647},
        // Built-in functions, their names in any case.
        {"Abs(-2)", 2}, {"Atn(1)", atn1}, {"Cos(0)", 1}, {"Exp(1)", std::exp(1.0)}, {"Fix(-2.5)", -2},
        {"Int(-2.5)", -3}, {"Log(Exp(2))", std::log(std::exp(2.0))}, {"Sgn(-3)", -1}, {"Sgn(0)", 0},
        {"Sin(1)", std::sin(1.0)}, {"Sqr(16)", 4}, {"Tan(1)", std::tan(1.0)}, {"ABS(-1)", 1}, {"sQr(4)", 2},
        {"Round(2.5)", 2}, {"Round(3.5)", 4}, {"Round(-2.5)", -2}, {"Round(0.125, 2)", 0.12},
        {"Round(1.25, 1.4)", 1.2}, {"Round(1e300, 2)", 1e300}, {"Round(2.4, 400)", 2.4},
        {"Sqr (4) + 1", 3}, {"(((((((1)))))))", 1}, {" 1 ' a comment", 1}, {"1 + _\r\n 2", 3},
    };
    for (const Case& c : cases) {
        ScriptHost host;
        const auto result = host.Eval(c.expression);
        ASSERT_TRUE(std::holds_alternative<double>(result))
            << c.expression << ": " << std::get<ScriptError>(result).description;
        EXPECT_EQ(std::get<double>(result), c.value) << c.expression;
    }
}

TEST(ScriptHost, RaisesVBScriptsErrorsWithTheirWordsAndPlaces)
{
    // The description: the words, the name where there is one, the column of the token blamed, the statement.
    struct Case { const char* statement; int number; int column; const char* what; };
    const Case cases[] = {
        {"x = 1/0", 11, 6, "Division by zero"}, {"x = 1 \\ 0.4", 11, 7, "Division by zero"}, {"x = 1 Mod 0", 11, 7, "Division by zero"},
        {"x = 0/0", 6, 6, "Overflow"}, {"x = 10^400", 6, 7, "Overflow"}, {"x = 1e308*10", 6, 10, "Overflow"},
        {"x = -1e308-1e308", 6, 11, "Overflow"}, {"x = 1e308+1e308", 6, 10, "Overflow"}, {"x = 1e-308/1e10 / 0", 11, 17, "Division by zero"},
        {"x = 2147483647.5 \\ 1", 6, 18, "Overflow"}, {"x = -2147483648 \\ -1", 6, 17, "Overflow"}, {"x = Not 3e9", 6, 5, "Overflow"},
        {"x = Exp(710)", 6, 5, "Overflow 'Exp'"}, {"sh.ierr = 3e9", 6, 4, "Overflow 'ierr'"},
        {"x = (-8)^(1/3)", 5, 9, "Invalid procedure call or argument"}, {"x = 0^-1", 5, 6, "Invalid procedure call or argument"},
        {"x = Log(0)", 5, 5, "Invalid procedure call or argument 'Log'"}, {"x = Sqr(-1)", 5, 5, "Invalid procedure call or argument 'Sqr'"},
        {"x = Round(1, -1)", 5, 5, "Invalid procedure call or argument 'Round'"},
        {"x = y", 500, 5, "Variable is undefined 'y'"}, {"x = q.pi", 500, 5, "Variable is undefined 'q'"},
        {"x = Abs()", 450, 5, "Wrong number of arguments or invalid property assignment 'Abs'"},
        {"x = Round(1, 2, 3)", 450, 5, "Wrong number of arguments or invalid property assignment 'Round'"},
        {"x = Sin", 450, 5, "Wrong number of arguments or invalid property assignment 'Sin'"},
        {"x = sh.Asin(1, 2)", 450, 8, "Wrong number of arguments or invalid property assignment 'Asin'"},
        {"x = pi(1)", 450, 5, "Wrong number of arguments or invalid property assignment 'pi'"},
        {"x = y(1)", 13, 5, "Unknown name 'y'"}, {"v = 1 : x = v(1)", 13, 13, "Type mismatch 'v'"}, {"v = 1 : v", 13, 9, "Type mismatch 'v'"},
        {"x = \"a\"", 13, 5, "Type mismatch"}, {"x = 1 & 2", 13, 7, "Type mismatch"}, {"v(1) = 2", 13, 1, "Type mismatch 'v'"},
        {"x = sh", 438, 5, "Object doesn't support this property or method 'sh'"},
        {"x = sh.y", 438, 8, "Object doesn't support this property or method 'y'"},
        {"sh.Asin = 1", 438, 4, "Object doesn't support this property or method 'Asin'"},
        {"v = 1 : x = v.pi", 424, 13, "Object required 'v'"}, {"x = Sin.pi", 424, 5, "Object required 'Sin'"},
        {"Sin = 1", 501, 1, "Illegal assignment 'Sin'"}, {"sh = 1", 501, 1, "Illegal assignment 'sh'"}, {"Asin = 1", 501, 1, "Illegal assignment 'Asin'"},
        {"Abs(1) = 2", 501, 1, "Illegal assignment 'Abs'"},
        {"2x = 1", 1024, 1, "Expected statement"}, {"1+2", 1024, 1, "Expected statement"}, {"= 1", 1024, 1, "Expected statement"},
        {"x = ", 1023, 5, "Expected expression"}, {"x = 1 +", 1023, 8, "Expected expression"}, {"x = Sin(1,)", 1023, 11, "Expected expression"},
        {"x = (1", 1006, 7, "Expected ')'"}, {"x = Sin(1", 1006, 10, "Expected ')'"}, {"x = 1 2", 1025, 7, "Expected end of statement"},
        {"x = 2x", 1025, 6, "Expected end of statement"}, {"sh. = 1", 1010, 5, "Expected identifier"},
        {"x = #1#", 1032, 5, "Invalid character"}, {"x = 1 _ 2", 1032, 7, "Invalid character"},
        {"x = \"abc", 1033, 5, "Unterminated string constant"}, {"x = 1e", 1031, 5, "Invalid number"},
        {"x = 1e400", 1031, 5, "Invalid number"}, {"x = &H", 1031, 5, "Invalid number"}, {"x = &H100000000", 1031, 5, "Invalid number"},
        {"Dim x", 1002, 1, "Syntax error"}, {"x = Empty", 1002, 5, "Syntax error"}, {"If = 1", 1002, 1, "Syntax error"},
        {"Sin (1, 2)", 1044, 5, "Cannot use parentheses when calling a Sub"},
    };
    for (const Case& c : cases) {
        ScriptHost host;
        MathObject math;
        host.AddObject("sh", math, true);
        int raised = 0;
        host.onError = [&](const ScriptError& error) {
            ++raised;
            EXPECT_EQ(error.number, c.number) << c.statement;
        };
        const std::optional<ScriptError> error = host.ExecuteStatement(c.statement);
        ASSERT_TRUE(error) << c.statement;
        EXPECT_EQ(error->number, c.number) << c.statement;
        EXPECT_EQ(error->column, c.column) << c.statement;
        EXPECT_EQ(error->description, c.what + (" at column " + std::to_string(c.column) + ": ") + c.statement);
        EXPECT_EQ(raised, 1) << c.statement;
        EXPECT_EQ(math.x, 0.0) << c.statement;
    }
    EXPECT_EQ(ScriptHost().ExecuteStatement(std::string(256, 'a') + " = 1")->description,
              "Identifier too long at column 1: " + std::string(40, 'a') + "...");
    EXPECT_EQ(ScriptHost().ExecuteStatement(std::string("x = 1\0", 6))->number, 1032);
    EXPECT_EQ(ScriptHost().ExecuteStatement("x = \xC3\xA9")->number, 1032);
}

// A formula's error names the place in the formula as the user typed it.
TEST(ScriptHost, AFormulasErrorPointsIntoIt)
{
    struct Case { const char* formula; int number; int line, column; const char* description; };
    const Case cases[] = {
        {"Sin(x*(y", 1006, 1, 9, "Expected ')' at column 9: Sin(x*(y"},
        {"Sinn(x)", 13, 1, 1, "Unknown name 'Sinn' at column 1: Sinn(x)"},
        {"1 2", 1025, 1, 3, "Expected end of statement at column 3: 1 2"},
        {"x + zz", 500, 1, 5, "Variable is undefined 'zz' at column 5: x + zz"},
        {"x+1/0", 11, 1, 4, "Division by zero at column 4: x+1/0"},
        // Columns count characters: the two bytes of an é are one.
        {"\"\xC3\xA9\" 2", 1025, 1, 5, "Expected end of statement at column 5: \"\xC3\xA9\" 2"},
        // On a continued line: the line, counted with CR LF as one line end, and the column in it.
        {"x + _\r\n 1 +", 1023, 2, 5, "Expected expression at line 2, column 5:  1 +"},
        {"x + _\r 1/0 _\n + 2", 11, 2, 3, "Division by zero at line 2, column 3:  1/0 _"},
    };
    for (const Case& c : cases) {
        ScriptHost host;
        ASSERT_FALSE(host.ExecuteStatement("x = 1"));
        const auto result = host.Eval(c.formula);
        ASSERT_TRUE(std::holds_alternative<ScriptError>(result)) << c.formula;
        const ScriptError& error = std::get<ScriptError>(result);
        EXPECT_EQ(error.number, c.number) << c.formula;
        EXPECT_EQ(std::pair(error.line, error.column), std::pair(c.line, c.column)) << c.formula;
        EXPECT_EQ(error.description, c.description);
    }
    // A long line is shown from 60 bytes before the place, moved back to where a character begins.
    const std::string wide = "y = \"" + std::string(50, 'a') + "\xC3\xA9" + std::string(57, 'b') + "\" 2";
    const ScriptError cut = *ScriptHost().ExecuteStatement(wide);
    EXPECT_EQ(cut.description, "Expected end of statement at column 116: ..." + wide.substr(55));
}

TEST(ScriptHost, RunsStatementsInOrderUntilOneFails)
{
    ScriptHost host;
    const std::optional<ScriptError> error = host.ExecuteStatement("a = 1: b = a + 1\nc = 1/0\r\nd = 4");
    ASSERT_TRUE(error);
    EXPECT_EQ(error->number, 11);
    EXPECT_EQ(host.Value("a"), 1.0);
    EXPECT_EQ(host.Value("b"), 2.0);
    EXPECT_FALSE(host.Value("c"));
    EXPECT_FALSE(host.Value("d"));

    // A syntax error anywhere runs nothing, as VBScript compiles the whole text first.
    EXPECT_EQ(host.ExecuteStatement("e = 1 : f = (1")->number, 1006);
    EXPECT_FALSE(host.Value("e"));

    // Empty statements, comments, a continued line; names in any case.
    EXPECT_FALSE(host.ExecuteStatement(":: \n\n Foo = 2 ' two\r FOO = foo * _ \n 3 :: Rem g = 1 : h = 1\n"));
    EXPECT_EQ(host.Value("fOO"), 6.0);
    EXPECT_FALSE(host.Value("g"));
    EXPECT_FALSE(host.Value("h"));
    EXPECT_FALSE(host.ExecuteStatement("remark = 1"));
    EXPECT_EQ(host.Value("remark"), 1.0);
    // The evaluation window's assignments: the name, "=", and the value's
    // text with a blank before it when it is not negative.
    EXPECT_FALSE(host.ExecuteStatement("Temp= 1E-05\nt=-2.5E+10\ny_2 = .25"));
    EXPECT_EQ(host.Value("temp"), 1e-05);
    EXPECT_EQ(host.Value("T"), -2.5e10);
    EXPECT_EQ(host.Value("Y_2"), 0.25);

    // An expression compares where a statement assigns.
    EXPECT_EQ(std::get<double>(host.Eval("foo = 6")), -1.0);
    EXPECT_EQ(std::get<ScriptError>(host.Eval("1 : 2")).number, 1025);
    EXPECT_EQ(std::get<ScriptError>(host.Eval("")).number, 1023);
    EXPECT_FALSE(host.Value("Sin"));
}

TEST(ScriptHost, TheMathObjectsMembersAreGlobalNamesOrNeedItsName)
{
    ScriptHost host;
    MathObject math;
    std::int32_t ownerIerr = 0;
    math.ownerIerr = &ownerIerr;
    host.AddObject("sh", math, true);
    for (const std::string_view statement : kConstantStatements)
        ASSERT_FALSE(host.ExecuteStatement(statement)) << statement;
    EXPECT_EQ(math.halfpi, std::atan(1.0) * 2);
    EXPECT_EQ(math.pi, std::atan(1.0) * 4);
    EXPECT_EQ(math.e, std::exp(1.0));
    EXPECT_EQ(host.Value("PI"), math.pi);

    // An assignment to a member's name lands in the field, however written.
    EXPECT_FALSE(host.ExecuteStatement("x = 2"));
    EXPECT_EQ(math.x, 2.0);
    EXPECT_FALSE(host.ExecuteStatement("SH.X = sh.x + X"));
    EXPECT_EQ(math.x, 4.0);
    EXPECT_FALSE(host.ExecuteStatement("ierr = 2.5"));
    EXPECT_EQ(math.ierr, 2);

    EXPECT_EQ(std::get<double>(host.Eval("Asin(1)")), math.halfpi);
    EXPECT_EQ(std::get<double>(host.Eval("SH.ASIN(0.5)")), math.Asin(0.5));
    EXPECT_EQ(std::get<double>(host.Eval("sh.Atanh(0.5) + Sinh(1)")), math.Atanh(0.5) + math.Sinh(1));
    // A failing function returns 0 and sets ierr; it raises nothing.
    EXPECT_EQ(std::get<double>(host.Eval("Acosh(0.5)")), 0.0);
    EXPECT_EQ(math.ierr, 5);
    EXPECT_EQ(ownerIerr, 5);
    EXPECT_FALSE(host.ExecuteStatement("sh.Tanh 710"));
    EXPECT_EQ(math.ierr, 6);

    // Added without global members, they need the object's name.
    ScriptHost plain;
    MathObject object;
    plain.AddObject("Sh", object, false);
    EXPECT_FALSE(plain.ExecuteStatement("x = 2 : sh.x = 3"));
    EXPECT_EQ(plain.Value("x"), 2.0);
    EXPECT_EQ(object.x, 3.0);
    EXPECT_EQ(plain.ExecuteStatement("y = Asin(1)")->number, 13);
}

// A statement that assigns nothing calls, its arguments with or without
// parentheses, as in VBScript; a function's value is dropped.
TEST(ScriptHost, CallsInStatementForm)
{
    struct Case { const char* statement; int number; std::int32_t ierr; };
    const Case cases[] = {
        {"Sin 1", 0, 0}, {"Sin(1)", 0, 0}, {"Round (2.5), 1", 0, 0}, {"Sqr (4) + 1", 0, 0}, {"Acosh 0.5", 0, 5},
        {"sh.Atanh(1)", 0, 11}, {"Sh.Tanh -710", 0, 6}, {"x", 0, 0}, {"Sqr -1", 5, 0}, {"Sin", 450, 0},
        {"Sin()", 450, 0}, {"Asin 1, 2", 450, 0}, {"x + 1", 450, 0}, {"y", 13, 0}, {"sh", 438, 0},
        {"Sin (1) (2)", 1025, 0},
    };
    for (const Case& c : cases) {
        ScriptHost host;
        MathObject math;
        host.AddObject("sh", math, true);
        const std::optional<ScriptError> error = host.ExecuteStatement(c.statement);
        EXPECT_EQ(error ? error->number : 0, c.number) << c.statement;
        EXPECT_EQ(math.ierr, c.ierr) << c.statement;
    }
}

// What tavex-cli eval decides from a variable's name and a formula before running either.
TEST(ScriptNames, IdentifiersAndTheNamesAFormulaReads)
{
    struct Name { const char* name; bool identifier; };
    const Name names[] = {
        {"x", true}, {" T1_b\t", true}, {"Sin", true}, {"sh", true},
        {"2x", false}, {"x y", false}, {"x:y", false}, {"x _", false}, {"_x", false}, {"", false}, {"Mod", false},
        {"Dim", false}, {"Rem", false}, {"x'", false}, {"p(1)", false},
    };
    for (const Name& n : names)
        EXPECT_EQ(IsIdentifier(n.name), n.identifier) << '"' << n.name << '"';
    EXPECT_TRUE(IsIdentifier(std::string(255, 'a')));
    EXPECT_FALSE(IsIdentifier(std::string(256, 'a')));

    struct Read { const char* formula; const char* name; bool reads; };
    const Read reads[] = {
        {"Sin(x) * 2", "x", true}, {"Sin(x)", "Sin", false}, {"sin + 1", " Sin ", true}, {"X^2", "x", true},
        {"sh.x", "x", false}, {"xy + 1", "x", false}, {"y(2)", "y", false}, {"(x", "x", false}, {"", "x", false},
    };
    for (const Read& r : reads)
        EXPECT_EQ(ReadsName(r.formula, r.name), r.reads) << r.formula << " / " << r.name;
}

// No text may crash, hang or recurse without bound; random texts are the
// fuzz target's (tests/script/fuzz, run by tools/fuzz).
TEST(ScriptHost, SurvivesDeepAndLongText)
{
    ScriptHost host;
    MathObject math;
    host.AddObject("sh", math, true);
    const auto deep = host.ExecuteStatement("x = " + std::string(100000, '(') + "1" + std::string(100000, ')'));
    EXPECT_TRUE(deep && deep->number == 28 && deep->description.starts_with("Out of stack space at column "));
    EXPECT_EQ(host.ExecuteStatement("x = " + std::string(100000, '-') + "1"), std::nullopt);
    std::string nots = "x = ";
    for (int i = 0; i < 100000; ++i)
        nots += "Not ";
    EXPECT_EQ(host.ExecuteStatement(nots + "1")->number, 28);

    std::string sum = "x = 1";
    while (sum.size() < 1000000)
        sum += "+1";
    ASSERT_FALSE(host.ExecuteStatement(sum));
    EXPECT_EQ(math.x, static_cast<double>((sum.size() - 3) / 2));
}

// Each function against its formula, bit for bit, and each failure: 0
// returned, the error's number in ierr and in the owner's field.
TEST(MathObject, ComputesEachFunctionOrStoresItsFailure)
{
    const double halfpi = std::atan(1.0) * 2;
    using Function = double (MathObject::*)(double);
    struct Case { Function function; double argument; double value; int ierr; };
    const Case cases[] = {
        {&MathObject::Asin, 1, halfpi, 0}, {&MathObject::Asin, -1, -halfpi, 0},
        {&MathObject::Asin, 0.5, std::atan(0.5 / std::sqrt(0.75)), 0},
        {&MathObject::Asin, 0.9999999, std::atan(0.9999999 / std::sqrt(1 - 0.9999999 * 0.9999999)), 0},
        {&MathObject::Asin, 2, 0, 5}, {&MathObject::Asin, -1.0000000000000002, 0, 5},
        {&MathObject::Acos, 1, 0, 0}, {&MathObject::Acos, -1, 2 * halfpi, 0},
        {&MathObject::Acos, -0.5, halfpi - std::atan(-0.5 / std::sqrt(0.75)), 0}, {&MathObject::Acos, 2, 0, 5},
        {&MathObject::Sinh, 1, (std::exp(1.0) - std::exp(-1.0)) * 0.5, 0},
        {&MathObject::Sinh, 709, (std::exp(709.0) - std::exp(-709.0)) * 0.5, 0},
        {&MathObject::Sinh, 710, 0, 6}, {&MathObject::Sinh, -710, 0, 6},
        {&MathObject::Cosh, 0, 1, 0}, {&MathObject::Cosh, 709.78, (std::exp(709.78) + std::exp(-709.78)) * 0.5, 0},
        {&MathObject::Cosh, 709.79, 0, 6},
        {&MathObject::Tanh, 1, 1 - 2 * std::exp(-1.0) / (std::exp(-1.0) + std::exp(1.0)), 0},
        {&MathObject::Tanh, 0, 0, 0}, {&MathObject::Tanh, 710, 0, 6}, {&MathObject::Tanh, -710, 0, 6},
        {&MathObject::Asinh, 1, std::log(1 + std::sqrt(2.0)), 0}, {&MathObject::Asinh, 1e200, 0, 6},
        {&MathObject::Acosh, 1, 0, 0}, {&MathObject::Acosh, 2, std::log(2 + std::sqrt(3.0)), 0},
        {&MathObject::Acosh, 0.5, 0, 5}, {&MathObject::Acosh, -2, 0, 5},
        {&MathObject::Atanh, 0.5, 0.5 * std::log(1.5 / 0.5), 0}, {&MathObject::Atanh, 1, 0, 11},
        {&MathObject::Atanh, -1, 0, 5}, {&MathObject::Atanh, 2, 0, 5},
    };
    for (const Case& c : cases) {
        std::int32_t ownerIerr = 77;
        MathObject math;
        math.halfpi = halfpi;
        math.ierr = 77; // left as it was on success
        math.ownerIerr = &ownerIerr;
        const double value = (math.*c.function)(c.argument);
        EXPECT_EQ(value, c.value) << c.argument << " case " << (&c - cases);
        EXPECT_EQ(math.ierr, c.ierr ? c.ierr : 77) << c.argument << " case " << (&c - cases);
        EXPECT_EQ(ownerIerr, math.ierr) << c.argument << " case " << (&c - cases);
    }
    MathObject withoutOwner;
    EXPECT_EQ(withoutOwner.Atanh(1), 0.0);
    EXPECT_EQ(withoutOwner.ierr, 11);
}

} // namespace
} // namespace tavex::script
