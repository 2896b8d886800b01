// The expansion as code: the text details a compiler or an interpreter
// depends on. tests/cli runs the files themselves.
#include "io/export/code_export.h"
#include "support/problem_builder.h"
#include "example_problems.h"

#include <gtest/gtest.h>

#include <limits>

namespace tavex {
namespace {

using testing::MakeProblem;
using testing::SpacedVariable;
using testing::VariableSpec;

std::string Written(const ProblemModel& model, CodeLanguage language, const CodeHeader& header = {})
{
    std::string text;
    WriteCode(model, language, "fit", header, [&text](std::string_view piece) { text += piece; });
    return text;
}

// x on [0, 2], center 1, with coefficients that need care in every language.
ProblemModel Awkward()
{
    VariableSpec x = SpacedVariable("x", 0.0, 2.0, 8);
    x.center = -1.5;
    ProblemModel model = MakeProblem({x});
    using Limits = std::numeric_limits<double>;
    const double specials[] = {7.0, -0.0, 0.1, 1e22, Limits::infinity(), -Limits::infinity(), Limits::quiet_NaN(),
                               Limits::denorm_min()};
    for (int j = 0; j < 8; ++j)
        model.coef(j, 0, 0, 0) = specials[j];
    model.SetComputed();
    return model;
}

// Every double reads back as itself and as a double: the shortest text with a
// point or an exponent; infinities and NaN as the language spells them.
TEST(CodeExport, NumbersReadBackExactlyInEveryLanguage)
{
    const ProblemModel model = Awkward();
    const std::pair<CodeLanguage, const char*> cases[] = {
        {CodeLanguage::C, "7.0, -0.0, 0.1, 1e+22,\n    INFINITY, -INFINITY, NAN, 5e-324\n"},
        {CodeLanguage::Cpp, "7.0, -0.0, 0.1, 1e+22,\n    INFINITY, -INFINITY, NAN, 5e-324\n"},
        {CodeLanguage::Python, "7.0, -0.0, 0.1, 1e+22,\n    math.inf, -math.inf, math.nan, 5e-324\n"},
        {CodeLanguage::JavaScript, "7.0, -0.0, 0.1, 1e+22,\n    Infinity, -Infinity, NaN, 5e-324\n"},
        {CodeLanguage::Matlab, "7.0; -0.0; 0.1; 1e+22\n            Inf; -Inf; NaN; 5e-324\n"},
        {CodeLanguage::Fortran, "data coef(0:7) / &\n    7.0_real64, -0.0_real64, 0.1_real64, &\n    1e+22_real64, "
                                "t_inf, t_ninf, &\n    t_nan, 5e-324_real64 /\n"},
    };
    for (const auto& [language, table] : cases) {
        const std::string text = Written(model, language);
        EXPECT_NE(text.find(table), std::string::npos) << text;
        // A negative center stands in parentheses: Fortran takes no "- -".
        EXPECT_NE(text.find("- (-1.5"), std::string::npos) << text;
    }
}

TEST(CodeExport, TheHeaderSaysWhatIsExportedAndHowToCallIt)
{
    VariableSpec t = SpacedVariable("t", -1.0, 3.0, 3);
    t.trigonometric = true;
    t.center = 0.25;
    t.period = 4.0;
    ProblemModel model = MakeProblem({SpacedVariable("x", 0.0, 2.0, 2), t});
    model.SetComputed();
    const std::string text = Written(model, CodeLanguage::C, {"heat.tvx", "d2f/dx dt", "Fit reproduces"});
    for (const char* part : {"// Compile without floating-point contraction", "heat.tvx", "d2f/dx dt",
                             "x0 = x: powers of (x0 - center), center 0, 2 terms, interval [0, 2]",
                             "x1 = t: trigonometric", "center 0.25, period 4, 3 terms, interval [-1, 3]",
                             "Fit reproduces", "Call: fit((const double[]){x0, x1})", "#pragma STDC FP_CONTRACT OFF"})
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
    EXPECT_EQ(text.rfind("// Compile without", 0), 0u);
}

TEST(CodeExport, TheNameMustBeAnIdentifierOfEveryLanguage)
{
    for (const char* good : {"tavex_fit", "_f", "Fit2", "heat_1d", "x12", "fx"})
        EXPECT_EQ(CodeNameRefusal(good), "") << good;
    const std::string tooLong(64, 'a');
    for (const std::string bad : {"", "2fit", "a-b", "a b", "\xe9t\xe9", "for", "End", "function", "def", "NaN",
                                  "x", "s0", "F", "coef", "math", tooLong.c_str()}) {
        const std::string refusal = CodeNameRefusal(bad);
        EXPECT_NE(refusal, "") << bad;
        EXPECT_EQ(refusal.find('\n'), std::string::npos);
    }
}

} // namespace
} // namespace tavex
