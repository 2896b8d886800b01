// What the plot window draws, without the window: where its sliders stop and
// what its views are titled.
#include "commands/plot_data.h"
#include "support/problem_builder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tavex::command {
namespace {

TEST(SliderStops, GridValuesAndTheStepsBetweenThem)
{
    const SliderStops grid = StopsOf({-1.0, 0.5, 2.0}, false);
    const SliderStops between = StopsOf({-1.0, 0.5, 2.0}, true);
    EXPECT_EQ(grid.LastPosition(), 2);
    EXPECT_EQ(between.LastPosition(), 20);
    EXPECT_EQ(grid.CoordinateAt(1), 0.5);
    EXPECT_EQ(between.CoordinateAt(10), 0.5); // a grid value exactly, not 0.1 * 15 steps
    EXPECT_EQ(between.CoordinateAt(13), 0.5 + 0.3 * 1.5);

    struct Case { double x; int onGrid, withSteps; };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {-5.0, 0, 0}, {-1.0, 0, 0}, {-0.25, 0, 5}, {-0.2499, 1, 5}, {0.5, 1, 10}, {1.3, 2, 15}, {1.25, 1, 15},
        {2.0, 2, 20}, {1e300, 2, 20}, {nan, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(grid.PositionNearest(c.x), c.onGrid) << c.x;
        EXPECT_EQ(between.PositionNearest(c.x), c.withSteps) << c.x;
    }
    EXPECT_EQ(StopsOf({3.0}, true).PositionNearest(7.0), 0); // one value: one position
}

TEST(PlotTitles, NameEveryHeldVariableAtItsCoordinate)
{
    ProblemModel model = testing::MakeProblem({{"T"}, {"p"}, {"q"}});
    const PerVariable<double> point{1e20, 2.0, 0.1 + 0.2};
    EXPECT_EQ(SliceTitle(model, 0, point), "along T at p = 2, q = 0.3");
    EXPECT_EQ(SliceTitle(model, 2, point), "along q at T = 1E+20, p = 2");
    EXPECT_EQ(MapTitle(model, 2, 0, point), "q and T at p = 2");
    model.lastVar = 1;
    EXPECT_EQ(MapTitle(model, 0, 1, point), "T and p");
}

} // namespace
} // namespace tavex::command
