#include "setup/read_specs.h"

#include "model/star_value.h"
#include "setup/shown_specs.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tavex {
namespace {

// A model as the count confirmation leaves it: `count` variables, fresh
// per-variable arrays, tables with room for up to ten values of each.
ProblemModel WithVariables(int count)
{
    ProblemModel model;
    model.lastVar = count - 1;
    model.AllocateVariableArrays();
    std::array<int, 4> room{};
    std::fill_n(room.begin(), count, 9);
    model.ShapeTables(room);
    return model;
}

TEST(ReadSpecs, CopiesEveryPanelIntoTheModelAndLeavesTheResultsAlone)
{
    ProblemModel model = WithVariables(4);
    model.coef(1, 0, 0, 0) = 42.0;
    model.isComputed = true;
    model.valuesExplicit[3] = true;
    model.valueUpper[3] = 2;
    model.ResizeVarX(3);
    model.SetVarX(3, 1, 7.0);
    Panels panels;
    panels[0] = {"1", "2", "*", "*", "3", true, true};
    panels[1] = {"-1e1", "4 apples", "0.5", "3", "4.5", false, false}; // 4.5 - 1 = 3.5 goes to the even 4
    panels[2] = {"6", "-4", " *", "* ", "3", true, true}; // only "*" itself is the shorthand
    panels[3] = {"0", "1", "*", "*", "3", true, false};
    ASSERT_TRUE(ReadSpecs(model, panels));

    EXPECT_EQ(model.lowerLimit, (PerVariable<double>{1, -10, 6, 0}));
    EXPECT_EQ(model.upperLimit, (PerVariable<double>{2, 4, -4, 1}));
    EXPECT_EQ(model.valueUpper, (PerVariable<int>{2, 4, 2, 2}));
    EXPECT_EQ(model.center, (PerVariable<double>{1.5, 0.5, 0, 0.5}));
    EXPECT_EQ(model.period, (PerVariable<double>{2 * PiValue(), 3, 0, 2 * PiValue()}));
    using enum Kind;
    EXPECT_EQ(model.kind, (PerVariable<Kind>{Polynomial, Trigonometric, Polynomial, Polynomial}));
    EXPECT_EQ(model.isEquallySpaced, (PerVariable<bool>{true, false, true, false}));
    EXPECT_EQ(model.valueStep, (PerVariable<double>{0.5, 3.5, -5, 0.5}));
    EXPECT_EQ(model.VarX(0), (std::vector<double>{1.0, 1.5, 2.0}));
    // Not spaced, but never entered value by value: it stands for the spaced values.
    EXPECT_EQ(model.VarX(1), (std::vector<double>{-10.0, -6.5, -3.0, 0.5, 4.0}));
    EXPECT_EQ(model.VarX(2), (std::vector<double>{6.0, 1.0, -4.0}));
    // An explicit list outside the spaced box is kept.
    EXPECT_EQ(model.VarX(3), (std::vector<double>{0.0, 7.0, 0.0}));
    EXPECT_TRUE(model.isComputed);
    EXPECT_EQ(model.coef(1, 0, 0, 0), 42.0);
}

TEST(ReadSpecs, RefusesWhatNoReaderCouldUseAndChangesNothing)
{
    // Only possible when a command reads a count box that was never left.
    struct Case { const char* count; bool explicitList; const char* refusal; };
    for (const Case& c : {Case{"1", false, "fewer than 2 values"}, Case{"11", false, "has not been confirmed"},
                          Case{"3", true, "holds fewer values"}}) {
        ProblemModel model = WithVariables(2);
        model.valuesExplicit[1] = c.explicitList;
        Panels panels;
        panels[0] = {.lowerLimit = "7"};
        panels[1] = {.valueCount = c.count, .spacedChecked = false};
        const SpecsRead read = ReadSpecs(model, panels);
        EXPECT_FALSE(read) << c.count;
        EXPECT_NE(read.refusal.find(c.refusal), std::string::npos) << read.refusal;
        EXPECT_NE(read.refusal.find("variable 2"), std::string::npos) << read.refusal;
        EXPECT_EQ(model.lowerLimit[0], 0.0);
        EXPECT_EQ(model.valueUpper[1], 0);
    }
}

TEST(SetDisplayedSpecs, ShowsTheModelInTextsThatReadBackToIt)
{
    ProblemModel model = WithVariables(2);
    model.varName = {"x", " t"};
    model.lowerLimit = {-0.5, 0.1 + 0.2, 0, 0};
    model.upperLimit = {1e20, 3, 0, 0};
    model.valueUpper = {4, 1, 0, 0};
    model.kind[1] = Kind::Trigonometric;
    model.isEquallySpaced = {false, true, false, false};
    const ShownSpecs shown = SetDisplayedSpecs(model);
    EXPECT_EQ(shown.variableCount, "2");
    EXPECT_EQ(shown.variableNames, "x, t");
    ASSERT_EQ(shown.panels.size(), 2u);
    EXPECT_EQ(shown.panels[1].name, " t");
    EXPECT_EQ(shown.panels[0].upperLimit, "1E+20");
    EXPECT_EQ(shown.panels[1].lowerLimit, "0.3"); // 15 significant digits
    EXPECT_EQ(shown.panels[0].valueCount, "5");

    ProblemModel reread = WithVariables(2);
    Panels panels;
    for (std::size_t k = 0; k < 2; ++k) {
        const ShownPanel& p = shown.panels[k];
        panels[k] = {p.lowerLimit, p.upperLimit, "*", "*", p.valueCount, p.powerChecked, p.spacedChecked};
    }
    ASSERT_TRUE(ReadSpecs(reread, panels));
    EXPECT_EQ(reread.lowerLimit, (PerVariable<double>{-0.5, 0.3, 0, 0}));
    EXPECT_EQ(reread.upperLimit, model.upperLimit);
    EXPECT_EQ(reread.valueUpper, model.valueUpper);
    EXPECT_EQ(reread.kind, model.kind);
    EXPECT_EQ(reread.isEquallySpaced, model.isEquallySpaced);
}

} // namespace
} // namespace tavex
