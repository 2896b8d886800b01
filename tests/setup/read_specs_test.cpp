#include "setup/read_specs.h"
#include "setup/shown_specs.h"

#include "setup_test_support.h"

#include "model/star_value.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tavex {
namespace {

using setup_test::WithVariables;

TEST(ReadSpecs, CopiesEveryPanelIntoTheModel)
{
    ProblemModel model = WithVariables(2);
    Panels panels;
    panels[0] = {"1", "2", "*", "*", "3", true, true};
    panels[1] = {"-1e1", "4 apples", "0.5", "3", "4.5", false, false};
    ASSERT_TRUE(ReadSpecs(model, panels));

    EXPECT_EQ(model.lowerLimit[0], 1.0);
    EXPECT_EQ(model.upperLimit[0], 2.0);
    EXPECT_EQ(model.valueUpper[0], 2);
    EXPECT_EQ(model.center[0], 1.5);
    EXPECT_EQ(model.period[0], 2.0 * PiValue());
    EXPECT_FALSE(model.IsTrigonometric(0));
    EXPECT_TRUE(model.isEquallySpaced[0]);
    EXPECT_EQ(model.valueStep[0], 0.5);
    EXPECT_EQ(model.VarX(0), (std::vector<double>{1.0, 1.5, 2.0}));

    EXPECT_EQ(model.lowerLimit[1], -10.0);
    EXPECT_EQ(model.upperLimit[1], 4.0);
    EXPECT_EQ(model.valueUpper[1], 4); // 4.5 - 1 = 3.5 goes to the even 4
    EXPECT_EQ(model.center[1], 0.5);
    EXPECT_EQ(model.period[1], 3.0);
    EXPECT_TRUE(model.IsTrigonometric(1));
    EXPECT_FALSE(model.isEquallySpaced[1]);
    EXPECT_EQ(model.valueStep[1], 3.5);
    // Not spaced, but never entered value by value: it stands for the spaced values.
    EXPECT_EQ(model.VarX(1), (std::vector<double>{-10.0, -6.5, -3.0, 0.5, 4.0}));

    // Slots beyond lastVar stay as allocated.
    EXPECT_EQ(model.valueUpper[2], 0);
}

TEST(ReadSpecs, AsteriskMustBeExact)
{
    ProblemModel model = WithVariables(1);
    Panels panels;
    panels[0] = {"1", "3", "*", "*", "2", true, true};
    ASSERT_TRUE(ReadSpecs(model, panels));
    EXPECT_EQ(model.center[0], 2.0);

    panels[0].center = " *";
    panels[0].period = "* ";
    panels[0].lowerLimit = "100";
    ASSERT_TRUE(ReadSpecs(model, panels));
    EXPECT_EQ(model.center[0], 0.0);
    EXPECT_EQ(model.period[0], 0.0);

    // The period shorthand does not depend on the interval.
    panels[0].period = "*";
    ASSERT_TRUE(ReadSpecs(model, panels));
    EXPECT_EQ(model.period[0], 8.0 * std::atan(1.0));
}

TEST(ReadSpecs, LeavesResultsAlone)
{
    ProblemModel model = WithVariables(1);
    model.ShapeTables({1, 0, 0, 0});
    model.coef(1, 0, 0, 0) = 42.0;
    model.isComputed = true;
    ASSERT_TRUE(ReadSpecs(model, Panels{}));
    EXPECT_TRUE(model.isComputed);
    EXPECT_EQ(model.coef(1, 0, 0, 0), 42.0);
}

TEST(ReadSpecs, ReversedOrEqualLimitsGiveANegativeOrZeroStep)
{
    ProblemModel model = WithVariables(1);
    Panels panels;
    panels[0].lowerLimit = "5";
    panels[0].upperLimit = "-5";
    panels[0].valueCount = "3";
    ASSERT_TRUE(ReadSpecs(model, panels));
    EXPECT_EQ(model.valueStep[0], -5.0);
    EXPECT_EQ(model.VarX(0), (std::vector<double>{5.0, 0.0, -5.0}));

    panels[0].upperLimit = "5";
    ASSERT_TRUE(ReadSpecs(model, panels));
    EXPECT_EQ(model.valueStep[0], 0.0);
}

TEST(ReadSpecs, ExplicitListOutsideTheSpacedBoxIsKept)
{
    ProblemModel model = WithVariables(1);
    model.valuesExplicit[0] = true;
    model.valueUpper[0] = 2;
    model.ResizeVarX(0);
    model.SetVarX(0, 1, 7.0);
    Panels panels;
    panels[0].valueCount = "3";
    panels[0].spacedChecked = false;
    ASSERT_TRUE(ReadSpecs(model, panels));
    EXPECT_EQ(model.VarX(0), (std::vector<double>{0.0, 7.0, 0.0}));
}

TEST(ReadSpecs, RefusesWhatNoReaderCouldUseAndChangesNothing)
{
    // Only possible when a command reads a count box that was never left.
    struct Case {
        const char* count;
        bool explicitList;
        const char* refusal;
    };
    for (const Case& c : {Case{"1", false, "fewer than 2 values"}, Case{"11", false, "has not been confirmed"},
                          Case{"3", true, "holds fewer values"}}) {
        ProblemModel model = WithVariables(2);
        model.valuesExplicit[1] = c.explicitList;
        Panels panels;
        panels[0].lowerLimit = "7";
        panels[1].valueCount = c.count;
        panels[1].spacedChecked = false;
        const SpecsRead read = ReadSpecs(model, panels);
        EXPECT_FALSE(read) << c.count;
        EXPECT_NE(read.refusal.find(c.refusal), std::string::npos) << read.refusal;
        EXPECT_NE(read.refusal.find("variable 2"), std::string::npos) << read.refusal;
        EXPECT_EQ(model.lowerLimit[0], 0.0);
        EXPECT_EQ(model.valueUpper[1], 0);
    }
}

TEST(SetDisplayedSpecs, ShowsTheModelAndMakesTheKindsAgree)
{
    ProblemModel model = WithVariables(2);
    model.varName = {"x", " t"};
    model.lowerLimit = {-0.5, 0.1 + 0.2, 0, 0};
    model.upperLimit = {1e20, 3, 0, 0};
    model.valueUpper = {4, 1, 0, 0};
    model.kind = {Kind::Polynomial, Kind::Trigonometric, Kind::Trigonometric, Kind::Trigonometric};
    model.isEquallySpaced = {false, true, false, false};

    const ShownSpecs shown = SetDisplayedSpecs(model);
    EXPECT_EQ(shown.variableCount, "2");
    EXPECT_EQ(shown.variableNames, "x, t");
    ASSERT_EQ(shown.panels.size(), 2u);
    EXPECT_EQ(shown.panels[0].name, "x");
    EXPECT_EQ(shown.panels[0].lowerLimit, "-0.5");
    EXPECT_EQ(shown.panels[0].upperLimit, "1E+20");
    EXPECT_EQ(shown.panels[0].valueCount, "5");
    EXPECT_TRUE(shown.panels[0].powerChecked);
    EXPECT_FALSE(shown.panels[0].spacedChecked);
    EXPECT_EQ(shown.panels[1].lowerLimit, "0.3"); // 15 significant digits
    EXPECT_EQ(shown.panels[1].valueCount, "2");
    EXPECT_FALSE(shown.panels[1].powerChecked);
    EXPECT_TRUE(shown.panels[1].spacedChecked);

    EXPECT_FALSE(model.IsTrigonometric(0));
    EXPECT_TRUE(model.IsTrigonometric(1));
}

TEST(SetDisplayedSpecs, ShownTextsReadBackToTheSameSpecs)
{
    ProblemModel model = WithVariables(1);
    model.varName = {"x"};
    model.lowerLimit[0] = -1.25;
    model.upperLimit[0] = 3.5;
    model.valueUpper[0] = 6;
    model.kind[0] = Kind::Polynomial;
    model.isEquallySpaced[0] = true;
    const ShownPanel shown = SetDisplayedSpecs(model).panels[0];

    ProblemModel reread = WithVariables(1);
    Panels panels;
    panels[0] = {shown.lowerLimit, shown.upperLimit, "*", "*", shown.valueCount, shown.powerChecked,
                 shown.spacedChecked};
    ASSERT_TRUE(ReadSpecs(reread, panels));
    EXPECT_EQ(reread.lowerLimit[0], -1.25);
    EXPECT_EQ(reread.upperLimit[0], 3.5);
    EXPECT_EQ(reread.valueUpper[0], 6);
}

} // namespace
} // namespace tavex
