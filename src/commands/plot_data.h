#pragma once

#include "model/problem_model.h"
#include "setup/session.h"

#include <optional>
#include <utility>
#include <vector>

namespace tavex::command {

// What the plot window draws, computed without widgets.

// The range a plot shows along variable k: its interval and all its values,
// widened by a tenth on each side.
std::pair<double, double> PlotRange(const ProblemModel& model, int k);

// Variable k's values in ascending order, each once: the stops of its slider.
std::vector<double> SortedGridValues(const ProblemModel& model, int k);

// The index of variable k's value nearest to x (the first of equals).
int NearestGridIndex(const ProblemModel& model, int k, double x);

// The point a plot opens on: the last point evaluated, else the middle of the grid.
PerVariable<double> DefaultPlotPoint(const ProblemModel& model, const Session& session);

// A slice along one variable through a point: the approximation at
// `samples` coordinates over PlotRange, and along the grid line nearest to
// the point the tabulated values and the approximation minus them.
struct SlicePlot {
    std::vector<double> xs, approximation;
    std::vector<double> gridXs, tabulated, difference;
};
std::optional<SlicePlot> PlotSlice(const ProblemModel& model, int variable, const PerVariable<double>& point,
                                   int samples = 400);

// The approximation over two variables through a point, on a columns x rows
// grid of samples over their PlotRanges (value [i + columns * j] at
// xs[i], ys[j]), and the grid points of the two variables.
struct MapPlot {
    std::vector<double> xs, ys, values;
    std::vector<double> gridXs, gridYs; // every combination, point by point
};
std::optional<MapPlot> PlotMap(const ProblemModel& model, int first, int second, const PerVariable<double>& point,
                               int columns = 200, int rows = 200);

} // namespace tavex::command
