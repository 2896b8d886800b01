// The coefficient listing: the factor texts, the two columns and the empty
// lines between the runs of each index.
#include "example_problems.h"
#include "io/coefficient_listing.h"
#include "model/number_text.h"

#include <gtest/gtest.h>

namespace tavex {
namespace {

// One variable t of six values, of the kind and center given.
ProblemModel SingleVariable(bool polynomial, double center)
{
    ProblemModel model;
    model.lastVar = 0;
    model.AllocateVariableArrays();
    model.varName = {"t"};
    model.kind[0] = polynomial ? Kind::Polynomial : Kind::Trigonometric;
    model.center[0] = center;
    model.valueUpper[0] = 5;
    model.ShapeTablesFromValueCounts();
    return model;
}

struct FactorCase {
    int m;
    const char* polynomialAt0;
    const char* polynomialAtHalf;
    const char* trigonometricAt0;
    const char* trigonometricAtMinus1_5;
};

class FactorTextTest : public ::testing::TestWithParam<FactorCase> {};

TEST_P(FactorTextTest, FactorOfEachKindAndCenter)
{
    const FactorCase& c = GetParam();
    const PerVariable<int> index{c.m, 0, 0, 0};
    EXPECT_EQ(TermText(SingleVariable(true, 0.0), index), c.polynomialAt0);
    EXPECT_EQ(TermText(SingleVariable(true, 0.5), index), c.polynomialAtHalf);
    EXPECT_EQ(TermText(SingleVariable(false, 0.0), index), c.trigonometricAt0);
    EXPECT_EQ(TermText(SingleVariable(false, -1.5), index), c.trigonometricAtMinus1_5);
}

INSTANTIATE_TEST_SUITE_P(Indices, FactorTextTest, ::testing::Values(
    FactorCase{0, "", "", "", ""},
    FactorCase{1, "*t", "*(t-0.5)", "*sin(t)", "*sin(t+1.5)"},
    FactorCase{2, "*t^2", "*(t-0.5)^2", "*cos(t)", "*cos(t+1.5)"},
    FactorCase{3, "*t^3", "*(t-0.5)^3", "*sin(2*t)", "*sin(2*(t+1.5))"},
    FactorCase{4, "*t^4", "*(t-0.5)^4", "*cos(2*t)", "*cos(2*(t+1.5))"},
    FactorCase{5, "*t^5", "*(t-0.5)^5", "*sin(3*t)", "*sin(3*(t+1.5))"}));

ProblemModel TwoByTwo()
{
    ProblemModel model = testing::MakeMixedModel({2, 2}, 3);
    model.varName = {"x", "y"};
    model.kind = {Kind::Polynomial, Kind::Polynomial, Kind::Trigonometric, Kind::Trigonometric};
    model.center = {};
    model.coef(0, 0, 0, 0) = 1;
    model.coef(1, 0, 0, 0) = 2;
    model.coef(0, 1, 0, 0) = 3;
    model.coef(1, 1, 0, 0) = -4.5;
    return model;
}

// The line with the blanks at its end removed.
std::string Trimmed(std::string line)
{
    line.erase(line.find_last_not_of(' ') + 1);
    return line;
}

TEST(CoefficientListingTest, TwoVariablesOfTwoValues)
{
    std::vector<std::string> lines;
    ListCoefficients(TwoByTwo(), lines);
    std::vector<std::string> trimmed;
    for (const auto& line : lines)
        trimmed.push_back(Trimmed(line));
    EXPECT_EQ(trimmed, (std::vector<std::string>{
        "COEFFICIENTS:",
        "1",
        "2                       *x",
        "",
        "3                       *y",
        "-4.5                    *x*y",
        "",
        "",
        ""}));
}

TEST(CoefficientListingTest, LinesKeepTheirPadding)
{
    const ProblemModel model = TwoByTwo();
    const std::string constant = BuildTermText(model, {0, 0, 0, 0});
    EXPECT_EQ(constant, std::string("1").append(255, ' '));
    const std::string line = BuildTermText(model, {1, 1, 0, 0});
    EXPECT_EQ(line.size(), 4u + 255u);
    EXPECT_EQ(line.substr(0, 24), std::string("-4.5").append(20, ' '));
    EXPECT_EQ(line.substr(24, 4), "*x*y");
}

TEST(CoefficientListingTest, ALongTermIsCutWhereTheLineEnds)
{
    ProblemModel model = TwoByTwo();
    model.varName[0] = std::string(300, 'a');
    const std::string line = BuildTermText(model, {1, 0, 0, 0});
    EXPECT_EQ(line.size(), 1u + 255u);
    EXPECT_EQ(line.substr(24), std::string("*").append(line.size() - 25, 'a'));
}

class ListingShapeTest : public ::testing::TestWithParam<std::vector<int>> {};

TEST_P(ListingShapeTest, OnDemandLinesMatchTheNestedLoops)
{
    const ProblemModel model = testing::MakeMixedModel(GetParam(), 9);
    std::vector<std::string> expected{kCoefficientsHeading};
    const auto n = [&](int k) { return k <= model.lastVar ? model.valueUpper[static_cast<std::size_t>(k)] : 0; };
    for (int i3 = 0; i3 <= n(3); ++i3) {
        for (int i2 = 0; i2 <= n(2); ++i2) {
            for (int i1 = 0; i1 <= n(1); ++i1) {
                for (int i0 = 0; i0 <= n(0); ++i0)
                    expected.push_back(BuildTermText(model, {i0, i1, i2, i3}));
                expected.emplace_back();
            }
            expected.emplace_back();
        }
        expected.emplace_back();
    }
    const CoefficientListing listing(model);
    ASSERT_EQ(listing.LineCount(), expected.size());
    for (std::size_t row = 0; row < expected.size(); ++row)
        ASSERT_EQ(listing.Line(row), expected[row]) << "row " << row;
}

INSTANTIATE_TEST_SUITE_P(Shapes, ListingShapeTest, ::testing::Values(
    std::vector<int>{3}, std::vector<int>{2, 3}, std::vector<int>{3, 2, 4}, std::vector<int>{2, 3, 2, 3}));

TEST(CoefficientListingTest, OneVariableHasHeadingValuesAndThreeEmptyLines)
{
    const ProblemModel model = testing::MakeMixedModel({4}, 1);
    std::vector<std::string> lines{"kept"};
    ListCoefficients(model, lines);
    ASSERT_EQ(lines.size(), 1u + 1 + 4 + 3);
    EXPECT_EQ(lines[0], "kept");
    EXPECT_EQ(lines[1], kCoefficientsHeading);
    EXPECT_EQ(lines[6], "");
    EXPECT_EQ(lines[8], "");
}

} // namespace
} // namespace tavex
