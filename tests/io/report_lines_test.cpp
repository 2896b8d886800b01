// The report's lines: the variable blocks, the coefficients and the data tree.
#include "example_problems.h"
#include "io/coefficient_listing.h"
#include "io/report_lines.h"

#include <gtest/gtest.h>

namespace tavex {
namespace {

std::vector<std::string> Collect(void (*print)(const ProblemModel&, const LineSink&), const ProblemModel& model)
{
    std::vector<std::string> lines;
    print(model, [&lines](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

// One polynomial variable x on [0, 1], three values, center 0.5, not computed.
ProblemModel ReportExample()
{
    ProblemModel model = testing::MakeExampleModel();
    model.upperLimit[0] = 1.0;
    model.center[0] = 0.5;
    model.valueStep[0] = 0.5;
    model.FillSpacedValues(0);
    return model;
}

std::string DataLine(const std::string& head, const std::string& function)
{
    std::string line = head + std::string(70, ' ');
    line.replace(39, function.size(), function);
    return line;
}

TEST(ReportLinesTest, OneVariableNotComputed)
{
    const std::vector<std::string> expected{
        "",
        "           VARIABLE: x",
        "               TYPE: POLYNOMIAL",
        "         # OF TERMS: 3 ",
        "           INTERVAL: [ 0 , 1 ]",
        "CENTER OF EXPANSION: 0.5 ",
        "",
        "DATA:",
        "",
        DataLine("   x=0", "FUNCTION=5"),
        DataLine("   x=0.5", "FUNCTION=7"),
        DataLine("   x=1", "FUNCTION=9"),
        "",
        "",
        ""};
    EXPECT_EQ(Collect(PrintReport, ReportExample()), expected);
}

TEST(ReportLinesTest, EveryColonStandsInColumn20)
{
    ProblemModel model = ReportExample();
    model.kind[0] = Kind::Trigonometric;
    for (const std::string& line : Collect(PrintVariableBlocks, model)) {
        if (!line.empty()) {
            EXPECT_EQ(line.find(':'), 19u) << line;
        }
    }
}

TEST(ReportLinesTest, OnlyATrigonometricVariableHasAPeriodLine)
{
    ProblemModel model = ReportExample();
    model.kind[0] = Kind::Trigonometric;
    model.lowerLimit[0] = -2.0;
    const std::vector<std::string> lines = Collect(PrintVariableBlocks, model);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[2], "               TYPE: TRIGONOMETRIC");
    EXPECT_EQ(lines[4], "           INTERVAL: [-2 , 1 ]");
    EXPECT_EQ(lines[6], "             PERIOD: 6.28318530717959 ");
    EXPECT_EQ(Collect(PrintVariableBlocks, ReportExample()).size(), 6u);
}

TEST(ReportLinesTest, ThreeVariablesShowHeadersForVariables2And1)
{
    ProblemModel model = testing::MakeMixedModel({2, 2, 2}, 4);
    model.varName = {"a", "b", "c"};
    model.SetVarX(2, 0, 0.25);
    model.SetVarX(1, 1, -3);
    const std::vector<std::string> lines = Collect(PrintData, model);
    // Per value of c: its header, then per value of b a header, two lines and
    // an empty line, then an empty line; one more at the end of the level of d.
    ASSERT_EQ(lines.size(), 3u + 2 * (1 + 2 * (1 + 2 + 1) + 1) + 1);
    EXPECT_EQ(lines[3], " c=0.25");
    EXPECT_EQ(lines[4].substr(0, 3), "  b");
    EXPECT_EQ(lines[5].substr(0, 5), "   a=");
    EXPECT_EQ(lines[8], "  b=-3");
    EXPECT_EQ(lines.back(), "");
}

TEST(ReportLinesTest, AValueReachingColumn40IsOverwritten)
{
    ProblemModel model = ReportExample();
    model.varName[0] = std::string(40, 'n');
    const std::vector<std::string> lines = Collect(PrintData, model);
    EXPECT_EQ(lines[3].substr(0, 39), "   " + std::string(36, 'n'));
    EXPECT_EQ(lines[3].substr(39, 10), "FUNCTION=5");
    EXPECT_EQ(lines[3].size(), 3u + 40 + 2 + 70);
}

TEST(ReportLinesTest, CoefficientsAreTheListingWithAnEmptyLineAroundTheHeading)
{
    ProblemModel model = testing::MakeMixedModel({2, 3}, 8);
    std::vector<std::string> listing;
    ListCoefficients(model, listing);
    listing.insert(listing.begin(), "");
    listing.insert(listing.begin() + 2, "");
    EXPECT_EQ(Collect(PrintCoefficients, model), listing);
    EXPECT_EQ(Collect(PrintReport, model).back(), "");
}

} // namespace
} // namespace tavex
