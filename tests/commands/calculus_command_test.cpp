// The derivatives and integrals as the windows show them, on f = x^2 y
// tabulated on x in {-1, 0, 1, 2} and y in {1, 2, 3}.
#include "commands/calculus_command.h"
#include "commands/plot_data.h"
#include "engine/compute.h"
#include "support/problem_builder.h"

#include <gtest/gtest.h>

namespace tavex::command {
namespace {

ProblemModel Computed()
{
    testing::VariableSpec x{"x", false, {-1, 0, 1, 2}}, y{"y", false, {1, 2, 3}};
    x.lowerLimit = -1, x.upperLimit = 2, y.lowerLimit = 1, y.upperLimit = 3;
    ProblemModel model = testing::MakeProblem({x, y});
    testing::TabulateFunction(model, [](const PerVariable<double>& p) { return p[0] * p[0] * p[1]; });
    EXPECT_TRUE(Compute(model, PerVariable<bool>{}).succeeded);
    return model;
}

TEST(Calculus, DerivativesAtAPointAndNoValueFromCoefficientsNotCurrent)
{
    ProblemModel model = Computed();
    DerivativeCache cache;
    const PerVariable<double> point{1.5, 2.0};
    struct Case { PerVariable<int> orders; const char* shown; };
    for (const Case& c : {Case{{0, 0}, "4.5"}, Case{{1, 0}, "6"}, Case{{2, 0}, "4"}, Case{{2, 1}, "2"},
                          Case{{0, 2}, "0"}, Case{{3, 0}, "0"}})
        EXPECT_EQ(DerivativeValueText(model, cache, c.orders, point), c.shown) << DerivativeName(model, c.orders);
    EXPECT_EQ(GradientText(model, cache, point), "df/dx = 6\ndf/dy = 2.25");

    // Kept while the revision stands, made afresh once the problem is computed again.
    const ProblemModel* kept = cache.Of(model, {1, 0});
    EXPECT_EQ(cache.Of(model, {1, 0}), kept);
    model.MarkEdited();
    EXPECT_EQ(cache.Of(model, {1, 0}), nullptr);
    EXPECT_EQ(DerivativeValueText(model, cache, {1, 0}, point), "out of date");
    EXPECT_EQ(GradientText(model, cache, point), "out of date");
    model.funTable(3, 1, 0, 0) = 9; // f(2, 2) was 8
    model.coef = model.funTable;
    ASSERT_TRUE(Compute(model, PerVariable<bool>{}).succeeded);
    EXPECT_NE(DerivativeValueText(model, cache, {1, 0}, point), "6");
}

TEST(Calculus, IntegralOverTheIntervalsOrTheBoundsTyped)
{
    ProblemModel model = Computed();
    const IntegrationBox intervals = VariableIntervals(model);
    EXPECT_EQ(BoxText(model, intervals), "x from -1 to 2, y from 1 to 3");
    const IntegralTexts all = IntegralOver(model, intervals);
    EXPECT_EQ(all.integral + "|" + all.mean, "12|2");

    struct Case { const char *x0, *x1, *y0, *y1, *shown; };
    const Case cases[] = {
        {"0", " 1 ", "2", "2", "0|0.666666666666667"}, // bounds that meet: no volume, the mean at y = 2
        {"0", "1", "0", "", "y to: '' is not a number"},
        {"0", "1e999", "0", "1", "x to: '1e999' is not a number"},
        {"0", "1", "2x", "1", "y from: '2x' is not a number"},
    };
    for (const Case& c : cases) {
        const auto read = ReadBounds(model, {c.x0, c.y0}, {c.x1, c.y1});
        std::string shown;
        if (const auto* box = std::get_if<IntegrationBox>(&read)) {
            const IntegralTexts texts = IntegralOver(model, *box);
            shown = texts.integral + "|" + texts.mean;
        } else {
            shown = std::get<BoundsRefusal>(read).message;
        }
        EXPECT_EQ(shown, c.shown);
    }
    const auto refused = std::get<BoundsRefusal>(ReadBounds(model, {"0", "0"}, {"1", "x"}));
    EXPECT_EQ(refused.variable * 2 + refused.upper, 3);

    model.MarkEdited();
    const IntegralTexts stale = IntegralOver(model, intervals);
    EXPECT_EQ(stale.integral + "|" + stale.mean, "out of date|out of date");
}

TEST(Calculus, ASliceOfADerivativeHasNoTableAndSaysWhichDerivativeItIs)
{
    ProblemModel model = Computed();
    DerivativeCache cache;
    const PerVariable<double> point{0.0, 2.0};
    const std::optional<SlicePlot> curve = PlotSlice(model, cache, 0, 0, point, 5);
    ASSERT_TRUE(curve && curve->onGridLine);
    EXPECT_EQ(curve->gridXs.size(), 4u);
    const std::optional<SlicePlot> slope = PlotSlice(model, cache, 0, 1, point, 5);
    ASSERT_TRUE(slope);
    EXPECT_FALSE(slope->onGridLine);
    EXPECT_TRUE(slope->gridXs.empty() && slope->tabulated.empty());
    EXPECT_EQ(slope->xs, curve->xs);
    for (std::size_t i = 0; i < slope->xs.size(); ++i)
        EXPECT_NEAR(slope->approximation[i], 4.0 * slope->xs[i], 1e-9); // 2xy at y = 2
    const std::optional<SlicePlot> along = PlotSlice(model, cache, 1, 2, point, 5);
    ASSERT_TRUE(along);
    for (double value : along->approximation)
        EXPECT_NEAR(value, 0.0, 1e-9);
    EXPECT_EQ(SliceTitle(model, 0, point, 2), "d2f/dx2 along x at y = 2");
    EXPECT_EQ(CurveName(model, 1, 1) + "|" + CurveName(model, 1, 0), "df/dy|approximation");
    model.MarkEdited();
    EXPECT_FALSE(PlotSlice(model, cache, 0, 1, point, 5));
}

} // namespace
} // namespace tavex::command
