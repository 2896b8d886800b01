#include "io/export/code_export.h"

#include "io/export/piece_buffer.h"
#include "model/index_walk.h"
#include "model/number_text.h"

#include <array>
#include <cassert>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string_view>

namespace tavex {

namespace {

// Keywords of the six languages and the names the written code uses, in
// lower case: Fortran does not tell "F" from the result "f".
constexpr std::string_view kTakenNames[] = {
    "alignas", "alignof", "and", "and_eq", "arguments", "as", "asm", "assert", "async", "atan", "auto", "await",
    "bitand", "bitor", "bool", "break", "case", "catch", "char", "char16_t", "char32_t", "char8_t", "class",
    "classdef", "co_await", "co_return", "co_yield", "coef", "compl", "concept", "const", "const_cast", "consteval",
    "constexpr", "constinit", "continue", "cos", "debugger", "decltype", "def", "default", "del", "delete", "do",
    "double", "dynamic_cast", "elif", "else", "elseif", "end", "enum", "eval", "except", "explicit", "export",
    "exports", "extends", "extern", "false", "finally", "float", "for", "friend", "from", "function", "global",
    "goto", "if", "implements", "import", "in", "inf", "infinity", "inline", "instanceof", "int", "int64",
    "interface", "is", "isempty", "iso_fortran_env", "lambda", "let", "long", "main", "math", "module", "mutable",
    "namespace", "nan", "new", "noexcept", "none", "nonlocal", "not", "not_eq", "null", "nullptr", "operator", "or",
    "or_eq", "otherwise", "package", "parfor", "pass", "persistent", "private", "protected", "public", "raise",
    "range", "real64", "register", "reinterpret_cast", "requires", "reshape", "restrict", "return", "short",
    "signed", "sin", "size", "size_t", "sizeof", "span", "spmd", "static", "static_assert", "static_cast", "std",
    "struct", "super", "switch", "sz", "t_inf", "t_nan", "t_ninf", "template", "this", "thread_local", "throw",
    "true", "try", "typedef", "typeid", "typename", "typeof", "undefined", "union", "unsigned", "using", "var",
    "virtual", "void", "volatile", "wchar_t", "while", "with", "xor", "xor_eq", "yield", "zeros",
};

bool IsTakenName(std::string_view name)
{
    std::string lower(name);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    // The locals: one letter, or one letter and the digit of a variable.
    if ((lower.size() == 1 || (lower.size() == 2 && lower[1] >= '0' && lower[1] <= '9'))
        && std::string_view("acfjkorswx").find(lower[0]) != std::string_view::npos)
        return true;
    for (const std::string_view taken : kTakenNames)
        if (lower == taken)
            return true;
    return false;
}

struct LevelShape {
    bool weighted = false;
    int m = 0;          // the upper index
    std::size_t stride; // of its index in the table
    double center = 0.0;
    double period = 0.0;
};

struct Shape {
    int used = 1; // variables, lastVar + 1
    std::array<LevelShape, kMaxVariables> levels{};
    std::size_t total = 1; // coefficients
};

Shape ShapeOf(const ProblemModel& model)
{
    Shape shape;
    shape.used = model.lastVar + 1;
    for (int v = 0; v < shape.used; ++v) {
        const Variable& variable = model.Var(v);
        LevelShape& level = shape.levels[static_cast<std::size_t>(v)];
        level.weighted = variable.IsTrigonometric();
        level.m = variable.valueUpper;
        level.stride = shape.total;
        level.center = variable.center;
        level.period = variable.period;
        shape.total *= static_cast<std::size_t>(level.m) + 1;
    }
    return shape;
}

std::string Digit(int v) { return std::to_string(v); }

// "s2": built by appending, as GCC 12 warns falsely on "literal" + std::string.
std::string Named(std::string_view prefix, int v) { return std::string(prefix).append(std::to_string(v)); }

// The shortest text that reads back to the same double, always with a
// decimal point or an exponent so that every language reads a double.
void AppendNumber(std::string& out, double value, CodeLanguage language)
{
    if (!std::isfinite(value)) {
        const bool negative = value < 0.0;
        switch (language) {
        case CodeLanguage::C:
        case CodeLanguage::Cpp: out += std::isnan(value) ? "NAN" : negative ? "-INFINITY" : "INFINITY"; break;
        case CodeLanguage::Python: out += std::isnan(value) ? "math.nan" : negative ? "-math.inf" : "math.inf"; break;
        case CodeLanguage::JavaScript: out += std::isnan(value) ? "NaN" : negative ? "-Infinity" : "Infinity"; break;
        case CodeLanguage::Matlab: out += std::isnan(value) ? "NaN" : negative ? "-Inf" : "Inf"; break;
        case CodeLanguage::Fortran: out += std::isnan(value) ? "t_nan" : negative ? "t_ninf" : "t_inf"; break;
        }
        return;
    }
    char buffer[kMaxNumberText];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    assert(result.ec == std::errc());
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    out += text;
    if (text.find_first_of(".e") == std::string_view::npos)
        out += ".0";
    if (language == CodeLanguage::Fortran)
        out += "_real64";
}

// A number inside an expression: a negative one in parentheses, as Fortran
// wants no two operators in a row.
std::string Operand(double value, CodeLanguage language)
{
    std::string text;
    AppendNumber(text, value, language);
    return text.front() == '-' ? "(" + text + ")" : text;
}

// --- The header comment ---

std::string_view LanguageName(CodeLanguage language)
{
    switch (language) {
    case CodeLanguage::C: return "C";
    case CodeLanguage::Cpp: return "C++";
    case CodeLanguage::Python: return "Python";
    case CodeLanguage::Fortran: return "Fortran 2008";
    case CodeLanguage::JavaScript: return "JavaScript";
    case CodeLanguage::Matlab: return "MATLAB/Octave";
    }
    return "";
}

std::string Argument(CodeLanguage language, int v)
{
    switch (language) {
    case CodeLanguage::C:
    case CodeLanguage::Cpp: return Named("x[", v) + "]";
    case CodeLanguage::Fortran: return Named("x(", v + 1) + ")";
    default: return Named("x", v);
    }
}

std::string CallLine(const Shape& shape, CodeLanguage language, std::string_view name)
{
    std::string arguments;
    for (int v = 0; v < shape.used; ++v)
        arguments.append(v > 0 ? ", " : "").append(Named("x", v));
    std::string call(name);
    switch (language) {
    case CodeLanguage::C:
        return call.append("((const double[]){").append(arguments).append("}), linking with -lm");
    case CodeLanguage::Cpp:
        return std::string("tavex_fit::").append(name).append("(std::array<double, ")
            .append(Digit(shape.used)).append(">{").append(arguments).append("})");
    case CodeLanguage::Fortran:
        return std::string("use ").append(name).append("_m; f = ").append(name).append("([")
            .append(arguments).append("])");
    case CodeLanguage::Matlab:
        return call.append("(").append(arguments).append("), arrays of one size: f has their size");
    case CodeLanguage::JavaScript:
        return std::string("const { ").append(name).append(" } = require('./FILE'); ").append(name).append("(")
            .append(arguments).append(")");
    case CodeLanguage::Python:
        return std::string("from FILE import ").append(name).append("; ").append(name).append("(")
            .append(arguments).append(")");
    }
    return call;
}

void AppendHeader(std::string& out, const ProblemModel& model, const Shape& shape, CodeLanguage language,
                  std::string_view name, const CodeHeader& header)
{
    std::vector<std::string> lines;
    if (language == CodeLanguage::C || language == CodeLanguage::Cpp)
        lines.push_back("Compile without floating-point contraction (gcc -ffp-contract=off) for Tavex's values bit for bit.");
    lines.push_back(std::string(name).append(": the Tavex expansion of ").append(header.problemFile.empty() ? "a problem" : header.problemFile)
                        .append(", as ").append(LanguageName(language)).append("."));
    lines.push_back(std::string("Function: ").append(header.function == "f" ? "f, the expansion itself" : header.function + ", a partial derivative of the expansion f"));
    lines.push_back("Variables, in the order of the arguments:");
    for (int v = 0; v < shape.used; ++v) {
        const Variable& variable = model.Var(v);
        const LevelShape& level = shape.levels[static_cast<std::size_t>(v)];
        std::string line = Named("  x", v);
        line.append(" = ").append(variable.name).append(": ");
        if (level.weighted)
            line.append("trigonometric (1, sin, cos of multiples of 2*pi*(x").append(Digit(v)).append(" - center)/period), center ")
                .append(TextOfNumber(level.center)).append(", period ").append(TextOfNumber(level.period));
        else
            line.append("powers of (x").append(Digit(v)).append(" - center), center ").append(TextOfNumber(level.center));
        line.append(", ").append(Digit(level.m + 1)).append(" terms, interval [")
            .append(TextOfNumber(variable.lowerLimit)).append(", ").append(TextOfNumber(variable.upperLimit)).append("]");
        lines.push_back(line);
    }
    if (!header.fitLine.empty())
        lines.push_back(header.fitLine);
    lines.push_back(std::string("Call: ").append(CallLine(shape, language, name)));

    const std::string_view prefix = language == CodeLanguage::Python ? "# "
                                  : language == CodeLanguage::Fortran ? "! "
                                  : language == CodeLanguage::Matlab  ? "% "
                                                                      : "// ";
    for (const std::string& line : lines) {
        // A name from the problem may hold any byte: no line end may end the comment early.
        out.append(prefix);
        for (const char c : line)
            out += c == '\n' || c == '\r' ? ' ' : c;
        out += '\n';
    }
}

// --- The coefficient table ---

// The coefficients, first index fastest, `perLine` to a line: each line
// starts with `lineStart`, numbers are separated by `separator`, and a line
// that is not the last ends with `lineEnd`.
void AppendTable(PieceBuffer& buffer, const ProblemModel& model, CodeLanguage language, std::size_t perLine,
                 std::string_view lineStart, std::string_view separator, std::string_view lineEnd)
{
    std::string& out = buffer.text();
    std::size_t i = 0;
    ForEachIndex(model.UpperIndices(), [&](const PerVariable<int>& j) {
        if (i % perLine == 0)
            out.append(i > 0 ? lineEnd : "").append(i > 0 ? "\n" : "").append(lineStart);
        else
            out += separator;
        AppendNumber(out, model.coef.At(j), language);
        ++i;
        buffer.PassFull();
    });
    out += '\n';
}

// Fortran's: short DATA statements into coef(0:total-1), as one huge
// constant makes compilers slow and its continuation lines run out.
void AppendFortranData(PieceBuffer& buffer, const ProblemModel& model, const Shape& shape)
{
    constexpr std::size_t kPerLine = 3;
    constexpr std::size_t kPerStatement = 4 * kPerLine;
    std::string& out = buffer.text();
    std::size_t i = 0;
    ForEachIndex(model.UpperIndices(), [&](const PerVariable<int>& j) {
        if (i % kPerStatement == 0) {
            const std::size_t last = std::min(i + kPerStatement, shape.total) - 1;
            out.append("  data coef(").append(std::to_string(i)).append(":").append(std::to_string(last)).append(") / &\n    ");
        } else
            out.append(i % kPerLine == 0 ? ", &\n    " : ", ");
        AppendNumber(out, model.coef.At(j), CodeLanguage::Fortran);
        ++i;
        if (i % kPerStatement == 0 || i == shape.total)
            out += " /\n";
        buffer.PassFull();
    });
}

// --- The evaluation ---

// Each language's spelling of the loops, for all but C and C++.
struct Syntax {
    CodeLanguage language;
    std::string zero;      // a sum's start
    std::string mul;       // the product of a sum and a factor
    std::string end;       // of a statement
    std::string let;       // the start of a declaration and first assignment
    std::string loopClose; // empty: by indentation
};

std::string LoopOpen(const Syntax& syntax, const std::string& j, int m, bool descending)
{
    const std::string top = Digit(m);
    switch (syntax.language) {
    case CodeLanguage::Python:
        return "for " + j + (descending ? " in range(" + top + ", -1, -1):" : Named(" in range(", m + 1) + "):");
    case CodeLanguage::JavaScript:
        return descending ? "for (let " + j + " = " + top + "; " + j + " >= 0; --" + j + ") {"
                          : "for (let " + j + " = 0; " + j + " <= " + top + "; ++" + j + ") {";
    case CodeLanguage::Fortran:
        return descending ? "do " + j + " = " + top + ", 0, -1" : "do " + j + " = 0, " + top;
    default: return descending ? "for " + j + " = " + top + ":-1:0" : "for " + j + " = 0:" + top;
    }
}

std::string CoefAt(const Syntax& syntax, const std::string& index)
{
    switch (syntax.language) {
    case CodeLanguage::Fortran: return "coef(" + index + ")";
    case CodeLanguage::Matlab: return "coef(1 + " + index + ")";
    default: return "c[" + index + "]";
    }
}

std::string WeightAt(const Syntax& syntax, int v, const std::string& j)
{
    const std::string w = Named("w", v);
    switch (syntax.language) {
    case CodeLanguage::Fortran: return w + "(" + j + ")";
    case CodeLanguage::Matlab: return w + "(:, " + j + " + 1)";
    default: return w + "[" + j + "]";
    }
}

// What every level adds per term (AddTerm): the sum times the argument plus
// the inner sum (Horner), or the inner sum times the weight plus the sum.
std::string TermStatement(const std::string& mul, const LevelShape& level, int v, const std::string& inner,
                          const std::string& weight)
{
    const std::string s = Named("s", v);
    return level.weighted ? s + " = " + inner + " " + mul + " " + weight + " + " + s
                          : s + " = " + s + " " + mul + Named(" a", v) + " + " + inner;
}

class Lines {
public:
    Lines(std::string& out, int depth) : out_(out), depth_(depth) {}
    void Add(std::string_view line)
    {
        out_.append(static_cast<std::size_t>(depth_) * 4, ' ').append(line) += '\n';
    }
    void In() { ++depth_; }
    void Out() { --depth_; }

private:
    std::string& out_;
    int depth_;
};

std::string ArgumentExpression(const LevelShape& level, int v, CodeLanguage language, const std::string& mul,
                               const std::string& div, const std::string& atan)
{
    const std::string dx = Argument(language, v) + " - " + Operand(level.center, language);
    if (!level.weighted)
        return dx;
    std::string one, eight;
    AppendNumber(one, 1.0, language);
    AppendNumber(eight, 8.0, language);
    return "((" + atan + "(" + one + ") " + mul + " (" + dx + ")) " + mul + " " + eight + ") " + div + " "
         + Operand(level.period, language);
}

// The levels from v down to 0 as nested loops, each sum starting from zero.
void AppendLevels(Lines& lines, const Syntax& syntax, const Shape& shape, int v)
{
    const LevelShape& level = shape.levels[static_cast<std::size_t>(v)];
    const std::string j = Named("j", v);
    lines.Add(syntax.let + Named("s", v) + " = " + syntax.zero + syntax.end);
    lines.Add(LoopOpen(syntax, j, level.m, !level.weighted));
    lines.In();
    std::string inner;
    if (v == 0) {
        inner = CoefAt(syntax, shape.used > 1 ? "o1 + j0" : "j0");
    } else {
        std::string offset = std::to_string(level.stride) + " * " + j;
        if (v + 1 < shape.used)
            offset = Named("o", v + 1) + " + " + offset;
        lines.Add(std::string(syntax.language == CodeLanguage::JavaScript ? "const " : "").append(Named("o", v)) + " = " + offset
                  + syntax.end);
        AppendLevels(lines, syntax, shape, v - 1);
        inner = Named("s", v - 1);
    }
    lines.Add(TermStatement(syntax.mul, level, v, inner, WeightAt(syntax, v, j)) + syntax.end);
    lines.Out();
    if (!syntax.loopClose.empty())
        lines.Add(syntax.loopClose);
}

// TrigonometricWeights: the running angle grows by repeated addition.
void AppendWeights(Lines& lines, const Syntax& syntax, int v, int m, const std::string& cos, const std::string& sin)
{
    const std::string w = Named("w", v);
    const std::string a = Named("a", v);
    const std::string r = Named("r", v);
    if (syntax.language == CodeLanguage::Python)
        lines.Add(w + Named(" = [0.0] * ", m + 1));
    else if (syntax.language == CodeLanguage::JavaScript)
        lines.Add("const " + w + Named(" = new Array(", m + 1) + ");");
    else if (syntax.language == CodeLanguage::Matlab)
        lines.Add(w + Named(" = zeros(numel(x0), ", m + 1) + ");");
    lines.Add(syntax.let + r + " = " + syntax.zero + syntax.end);
    if (m >= 1) {
        switch (syntax.language) {
        case CodeLanguage::Python: lines.Add(Named("for j in range(0, ", m) + ", 2):"); break;
        case CodeLanguage::JavaScript: lines.Add(Named("for (let j = 0; j < ", m) + "; j += 2) {"); break;
        case CodeLanguage::Fortran: lines.Add(Named("do j = 0, ", m - 1) + ", 2"); break;
        default: lines.Add(Named("for j = 0:2:", m - 1)); break;
        }
        lines.In();
        lines.Add(WeightAt(syntax, v, "j") + " = " + cos + "(" + r + ")" + syntax.end);
        lines.Add(r + " = " + a + " + " + r + syntax.end);
        lines.Add(WeightAt(syntax, v, "j + 1") + " = " + sin + "(" + r + ")" + syntax.end);
        lines.Out();
        if (!syntax.loopClose.empty())
            lines.Add(syntax.loopClose);
    }
    if (m % 2 == 0)
        lines.Add(WeightAt(syntax, v, Digit(m)) + " = " + cos + "(" + r + ")" + syntax.end);
}

// The body of every language but C and C++, from the arguments to the value.
void AppendLoopBody(std::string& out, const Shape& shape, const Syntax& syntax, int depth, const std::string& atan,
                    const std::string& cos, const std::string& sin, const std::string& div, const std::string& result)
{
    Lines lines(out, depth);
    for (int v = 0; v < shape.used; ++v) {
        const LevelShape& level = shape.levels[static_cast<std::size_t>(v)];
        lines.Add(Named(syntax.language == CodeLanguage::JavaScript ? "const a" : "a", v) + " = "
                  + ArgumentExpression(level, v, syntax.language, syntax.mul, div, atan) + syntax.end);
        if (level.weighted)
            AppendWeights(lines, syntax, v, level.m, cos, sin);
    }
    AppendLevels(lines, syntax, shape, shape.used - 1);
    std::string zero;
    AppendNumber(zero, 0.0, syntax.language);
    // The unused slots of the evaluation are levels of one power at 0: they
    // turn a sum of -0 into +0.
    const std::string last = Named("s", shape.used - 1);
    lines.Add(result + (shape.used < kMaxVariables ? zero + " + " + last : last) + syntax.end);
}

// --- C and C++ ---

// Level 0 runs over all lines of index 1 at once, as Evaluate does: the
// lines' chains of operations are independent, which keeps the processor
// busy; each line still takes its terms in Evaluate's order.
void AppendCLevels(Lines& lines, const Shape& shape, int v, const std::string& table)
{
    const LevelShape& level = shape.levels[static_cast<std::size_t>(v)];
    const std::string d = Digit(v);
    const auto loop = [&](const std::string& j, int m, bool descending) {
        lines.Add(descending ? "for (int " + j + Named(" = ", m) + "; " + j + " >= 0; --" + j + ") {"
                             : "for (int " + j + " = 0; " + j + Named(" <= ", m) + "; ++" + j + ") {");
        lines.In();
    };
    const auto close = [&] {
        lines.Out();
        lines.Add("}");
    };
    if (v == 0) {
        lines.Add("double s0 = 0.0;");
        loop("j0", level.m, !level.weighted);
        lines.Add(TermStatement("*", level, 0, table + "[j0]", "w0[j0]") + ";");
        close();
        return;
    }
    if (v == 1) {
        const LevelShape& zero = shape.levels[0];
        const std::string block = shape.used > 2 ? table + " + o2" : table;
        lines.Add(Named("for (int j1 = 0; j1 <= ", level.m) + "; ++j1)");
        lines.Add("    s0[j1] = 0.0;");
        loop("j0", zero.m, !zero.weighted);
        lines.Add("const double *c = " + block + " + j0;");
        lines.Add(std::string("const double f0 = ") + (zero.weighted ? "w0[j0];" : "a0;"));
        lines.Add(Named("for (int j1 = 0; j1 <= ", level.m) + "; ++j1)");
        const std::string entry = Named("c[", zero.m + 1) + " * j1]";
        lines.Add(std::string("    s0[j1] = ").append(zero.weighted ? entry + " * f0 + s0[j1];" : "s0[j1] * f0 + " + entry + ";"));
        close();
        lines.Add("double s1 = 0.0;");
        loop("j1", level.m, !level.weighted);
        lines.Add(TermStatement("*", level, 1, "s0[j1]", "w1[j1]") + ";");
        close();
        return;
    }
    lines.Add("double s" + d + " = 0.0;");
    loop("j" + d, level.m, !level.weighted);
    std::string offset = std::to_string(level.stride) + "L * j" + d;
    if (v + 1 < shape.used)
        offset = Named("o", v + 1) + " + " + offset;
    lines.Add("const long o" + d + " = " + offset + ";");
    AppendCLevels(lines, shape, v - 1, table);
    lines.Add(TermStatement("*", level, v, Named("s", v - 1), "w" + d + "[j" + d + "]") + ";");
    close();
}

void AppendCBody(std::string& out, const Shape& shape, bool cpp, std::string_view name)
{
    const std::string std = cpp ? "std::" : "";
    const std::string weights = std::string(name) + "_weights";
    Lines lines(out, 1);
    for (int v = 0; v < shape.used; ++v) {
        const LevelShape& level = shape.levels[static_cast<std::size_t>(v)];
        lines.Add(Named("const double a", v) + " = "
                  + ArgumentExpression(level, v, cpp ? CodeLanguage::Cpp : CodeLanguage::C, "*", "/", std + "atan")
                  + ";");
        if (level.weighted) {
            lines.Add(Named("double w", v) + Named("[", level.m + 1) + "];");
            lines.Add(weights + Named("(a", v) + Named(", ", level.m) + Named(", w", v) + ");");
        }
    }
    if (shape.used > 1)
        lines.Add(Named("double s0[", shape.levels[1].m + 1) + "];");
    AppendCLevels(lines, shape, shape.used - 1, std::string(name) + "_coef");
    const std::string last = Named("s", shape.used - 1);
    lines.Add(std::string("return ").append(shape.used < kMaxVariables ? "0.0 + " + last : last).append(";"));
}

void AppendCWeights(std::string& out, std::string_view name, bool cpp)
{
    const std::string std = cpp ? "std::" : "";
    out.append(cpp ? "inline void " : "static void ").append(name).append("_weights(double a, int m, double *w)\n{\n");
    out.append("    double r = 0.0;\n    int j = 0;\n    while (j <= m - 1) {\n");
    out.append("        w[j] = ").append(std).append("cos(r);\n        r = a + r;\n        ++j;\n");
    out.append("        w[j] = ").append(std).append("sin(r);\n        ++j;\n    }\n");
    out.append("    if (j == m)\n        w[j] = ").append(std).append("cos(r);\n}\n\n");
}

bool AnyWeighted(const Shape& shape)
{
    for (int v = 0; v < shape.used; ++v)
        if (shape.levels[static_cast<std::size_t>(v)].weighted)
            return true;
    return false;
}

void WriteC(PieceBuffer& buffer, const ProblemModel& model, const Shape& shape, bool cpp, std::string_view name)
{
    std::string& out = buffer.text();
    out += cpp ? "#pragma once\n\n#include <cmath>\n#include <span>\n\n" : "#include <math.h>\n\n";
    out += "#pragma STDC FP_CONTRACT OFF\n\n";
    if (cpp)
        out += "namespace tavex_fit {\n\n";
    out.append(cpp ? "inline const double " : "static const double ").append(name).append("_coef[")
        .append(std::to_string(shape.total)).append("] = {\n");
    AppendTable(buffer, model, cpp ? CodeLanguage::Cpp : CodeLanguage::C, 4, "    ", ", ", ",");
    out += "};\n\n";
    if (AnyWeighted(shape))
        AppendCWeights(out, name, cpp);
    out.append(cpp ? "inline double " : "double ").append(name)
        .append(cpp ? "(std::span<const double> x)\n{\n" : "(const double x[])\n{\n");
    AppendCBody(out, shape, cpp, name);
    out += "}\n";
    if (cpp)
        out += "\n} // namespace tavex_fit\n";
}

// --- The others ---

std::string ArgumentList(const Shape& shape)
{
    std::string list;
    for (int v = 0; v < shape.used; ++v)
        list.append(v > 0 ? ", " : "").append(Named("x", v));
    return list;
}

void WritePython(PieceBuffer& buffer, const ProblemModel& model, const Shape& shape, std::string_view name)
{
    std::string& out = buffer.text();
    out.append("\nimport math\n\n").append(name).append("_coef = [\n");
    AppendTable(buffer, model, CodeLanguage::Python, 4, "    ", ", ", ",");
    out.append("]\n\n\ndef ").append(name).append("(").append(ArgumentList(shape)).append("):\n");
    out.append("    c = ").append(name).append("_coef\n");
    const Syntax syntax{CodeLanguage::Python, "0.0", "*", "", "", ""};
    AppendLoopBody(out, shape, syntax, 1, "math.atan", "math.cos", "math.sin", "/", "return ");
}

void WriteJavaScript(PieceBuffer& buffer, const ProblemModel& model, const Shape& shape, std::string_view name)
{
    std::string& out = buffer.text();
    out.append("\n'use strict';\n\nconst ").append(name).append("_coef = new Float64Array([\n");
    AppendTable(buffer, model, CodeLanguage::JavaScript, 4, "    ", ", ", ",");
    out.append("]);\n\nfunction ").append(name).append("(").append(ArgumentList(shape)).append(") {\n");
    out.append("    const c = ").append(name).append("_coef;\n");
    const Syntax syntax{CodeLanguage::JavaScript, "0.0", "*", ";", "let ", "}"};
    AppendLoopBody(out, shape, syntax, 1, "Math.atan", "Math.cos", "Math.sin", "/", "return ");
    out.append("}\n\nif (typeof module !== 'undefined')\n    module.exports = { ").append(name).append(" };\n");
}

void WriteMatlab(PieceBuffer& buffer, const ProblemModel& model, const Shape& shape, std::string_view name)
{
    std::string& out = buffer.text();
    out.append("function f = ").append(name).append("(").append(ArgumentList(shape)).append(")\n");
    out += "    persistent coef\n    if isempty(coef)\n        coef = [\n";
    AppendTable(buffer, model, CodeLanguage::Matlab, 4, "            ", "; ", "");
    out += "        ];\n    end\n    sz = size(x0);\n";
    for (int v = 0; v < shape.used; ++v)
        out.append("    x").append(Digit(v)).append(" = x").append(Digit(v)).append("(:);\n");
    const Syntax syntax{CodeLanguage::Matlab, "zeros(size(x0))", ".*", ";", "", "end"};
    AppendLoopBody(out, shape, syntax, 1, "atan", "cos", "sin", "./", "f = ");
    out += "    f = reshape(f, sz);\nend\n";
}

void WriteFortran(PieceBuffer& buffer, const ProblemModel& model, const Shape& shape, std::string_view name)
{
    std::string& out = buffer.text();
    // A module name is at most 63 characters as well.
    const std::string module = std::string(name.substr(0, kMaxCodeNameLength - 2)) + "_m";
    out.append("module ").append(module).append("\n");
    out += "  use, intrinsic :: iso_fortran_env, only: real64, int64\n  implicit none\n  private\n";
    out.append("  public :: ").append(name).append("\n");
    out += "  real(real64), parameter :: t_inf = transfer(9218868437227405312_int64, 1.0_real64)\n";
    out += "  real(real64), parameter :: t_ninf = transfer(-4503599627370496_int64, 1.0_real64)\n";
    out += "  real(real64), parameter :: t_nan = transfer(9221120237041090560_int64, 1.0_real64)\n";
    out.append("  real(real64), save :: coef(0:").append(std::to_string(shape.total - 1)).append(")\n");
    AppendFortranData(buffer, model, shape);
    out.append("contains\n  pure function ").append(name).append("(x) result(f)\n");
    out += "    real(real64), intent(in) :: x(:)\n    real(real64) :: f\n    integer :: j\n";
    for (int v = 0; v < shape.used; ++v) {
        const LevelShape& level = shape.levels[static_cast<std::size_t>(v)];
        out.append("    real(real64) :: a").append(Digit(v)).append(", s").append(Digit(v)).append("\n");
        out.append("    integer :: j").append(Digit(v)).append(v > 0 ? Named(", o", v) : "").append("\n");
        if (level.weighted)
            out.append("    real(real64) :: r").append(Digit(v)).append(", w").append(Digit(v)).append("(0:")
                .append(Digit(level.m)).append(")\n");
    }
    const Syntax syntax{CodeLanguage::Fortran, "0.0_real64", "*", "", "", "end do"};
    AppendLoopBody(out, shape, syntax, 1, "atan", "cos", "sin", "/", "f = ");
    out.append("  end function ").append(name).append("\nend module ").append(module).append("\n");
}

} // namespace

std::string CodeNameRefusal(std::string_view name)
{
    const std::string quoted = std::string("'").append(name).append("'");
    if (name.empty())
        return "the name is empty";
    if (name.size() > kMaxCodeNameLength)
        return quoted + " is longer than " + std::to_string(kMaxCodeNameLength) + " characters";
    if (std::isdigit(static_cast<unsigned char>(name.front())))
        return quoted + " starts with a digit";
    for (const char c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
            return quoted + " holds a character other than letters, digits and '_'";
    if (IsTakenName(name))
        return quoted + " is a keyword or a name the written code uses itself";
    return {};
}

void WriteCode(const ProblemModel& model, CodeLanguage language, std::string_view name, const CodeHeader& header,
               const TextSink& sink)
{
    assert(model.IsComputed());
    assert(CodeNameRefusal(name).empty());
    const Shape shape = ShapeOf(model);
    PieceBuffer buffer(sink);
    AppendHeader(buffer.text(), model, shape, language, name, header);
    switch (language) {
    case CodeLanguage::C: WriteC(buffer, model, shape, false, name); break;
    case CodeLanguage::Cpp: WriteC(buffer, model, shape, true, name); break;
    case CodeLanguage::Python: WritePython(buffer, model, shape, name); break;
    case CodeLanguage::JavaScript: WriteJavaScript(buffer, model, shape, name); break;
    case CodeLanguage::Matlab: WriteMatlab(buffer, model, shape, name); break;
    case CodeLanguage::Fortran: WriteFortran(buffer, model, shape, name); break;
    }
    buffer.PassRest();
}

} // namespace tavex
