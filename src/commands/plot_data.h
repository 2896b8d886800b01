#pragma once

#include "commands/calculus_command.h"
#include "model/problem_model.h"
#include "setup/session.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tavex::command {

// What the plot window draws, computed without widgets.

// The range a plot shows along variable k: its interval and all its values,
// widened by a tenth on each side.
std::pair<double, double> PlotRange(const ProblemModel& model, int k);

// Variable k's values in ascending order, each once.
std::vector<double> SortedGridValues(const ProblemModel& model, int k);

// The positions a slider over a variable's grid values stops at: each value
// and, between neighbours, `perGap` - 1 evenly spaced coordinates more.
struct SliderStops {
    std::vector<double> values; // ascending, each once
    int perGap = 1;             // positions from one value to the next

    int LastPosition() const { return perGap * (static_cast<int>(values.size()) - 1); }
    // A grid value exactly at multiples of perGap; between them the value
    // below plus the fraction of the gap.
    double CoordinateAt(int position) const;
    // The position nearest to x, the lower of two as near; the ends beyond
    // the values.
    int PositionNearest(double x) const;
};
// Stops at sorted values (SortedGridValues): only at them, or with `between`
// also ten steps from each to the next.
SliderStops StopsOf(std::vector<double> values, bool between);

// The point a plot opens on: the last point evaluated, else the middle of the grid.
PerVariable<double> DefaultPlotPoint(const ProblemModel& model, const Session& session);

// A slice along one variable through a point: the approximation at
// `samples` coordinates over PlotRange and, when every held variable sits
// on one of its grid values, along that grid line the tabulated values and
// the approximation minus them. Nothing while the coefficients are not current.
struct SlicePlot {
    int order = 0; // of the derivative drawn
    std::vector<double> xs, approximation;
    bool onGridLine = false;
    std::vector<double> gridXs, tabulated, difference; // empty off the grid lines
};
std::optional<SlicePlot> PlotSlice(const ProblemModel& model, int variable, const PerVariable<double>& point,
                                   int samples = 400);

// The highest order of the derivative a slice draws.
inline constexpr int kMaxSliceOrder = 3;
// The slice of the derivative of `order` (0..kMaxSliceOrder) along the
// variable, with no table values: the table holds the function's, not its
// derivative's. Order 0 is PlotSlice's. Nothing while the coefficients are
// not current, or when the derivative's would not fit in memory.
std::optional<SlicePlot> PlotSlice(const ProblemModel& model, DerivativeCache& cache, int variable, int order,
                                   const PerVariable<double>& point, int samples = 400);

// The approximation over two variables through a point, on a columns x rows
// grid of samples over their PlotRanges (value [i + columns * j] at
// xs[i], ys[j]), and the grid points of the two variables.
struct MapPlot {
    std::vector<double> xs, ys, values;
    std::vector<double> gridXs, gridYs; // every combination, point by point
};
std::optional<MapPlot> PlotMap(const ProblemModel& model, int first, int second, const PerVariable<double>& point,
                               int columns = 200, int rows = 200);

// Where a view runs, its title: "along T at p = 2, q = 0.5" for a slice,
// "T and p at q = 3" for a map; every held variable with its coordinate as
// the windows show numbers, no "at" part when none is held. A derivative's
// slice is named first: "d2f/dT2 along T at p = 2".
std::string SliceTitle(const ProblemModel& model, int variable, const PerVariable<double>& point, int order = 0);
// What a slice's curve is: "approximation", or the derivative's name.
std::string CurveName(const ProblemModel& model, int variable, int order);
std::string MapTitle(const ProblemModel& model, int first, int second, const PerVariable<double>& point);

// Why the views show nothing, in the words the window shows; empty while
// the coefficients are current, for a map also with two variables chosen.
std::string PlotsUnavailable(const ProblemModel& model);
std::string MapUnavailable(const ProblemModel& model, int first, int second);

} // namespace tavex::command
