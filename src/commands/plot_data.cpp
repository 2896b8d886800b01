#include "commands/plot_data.h"

#include "engine/slice.h"

#include <algorithm>
#include <cmath>

namespace tavex::command {

namespace {

std::vector<double> Spaced(std::pair<double, double> range, int count)
{
    std::vector<double> xs(static_cast<std::size_t>(std::max(count, 2)));
    const double step = (range.second - range.first) / static_cast<double>(xs.size() - 1);
    for (std::size_t i = 0; i < xs.size(); ++i)
        xs[i] = range.first + step * static_cast<double>(i);
    xs.back() = range.second;
    return xs;
}

double Tabulated(const ProblemModel& model, const PerVariable<int>& index)
{
    return model.funTable(index[0], index[1], index[2], index[3]);
}

} // namespace

std::pair<double, double> PlotRange(const ProblemModel& model, int k)
{
    const auto s = static_cast<std::size_t>(k);
    double lo = std::min(model.lowerLimit[s], model.upperLimit[s]);
    double hi = std::max(model.lowerLimit[s], model.upperLimit[s]);
    for (int i = 0; i <= model.valueUpper[s]; ++i) {
        lo = std::min(lo, model.GetVarX(k, i));
        hi = std::max(hi, model.GetVarX(k, i));
    }
    const double margin = hi > lo ? (hi - lo) / 10.0 : std::max(1.0, std::fabs(lo)) / 10.0;
    return {lo - margin, hi + margin};
}

std::vector<double> SortedGridValues(const ProblemModel& model, int k)
{
    std::vector<double> values;
    for (int i = 0; i <= model.valueUpper[static_cast<std::size_t>(k)]; ++i)
        values.push_back(model.GetVarX(k, i));
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    return values;
}

int NearestGridIndex(const ProblemModel& model, int k, double x)
{
    int nearest = 0;
    for (int i = 1; i <= model.valueUpper[static_cast<std::size_t>(k)]; ++i)
        if (std::fabs(model.GetVarX(k, i) - x) < std::fabs(model.GetVarX(k, nearest) - x))
            nearest = i;
    return nearest;
}

PerVariable<double> DefaultPlotPoint(const ProblemModel& model, const Session& session)
{
    if (session.pointEvaluated)
        return session.evalX;
    PerVariable<double> point{};
    for (int k = 0; k <= model.lastVar; ++k) {
        const std::vector<double> values = SortedGridValues(model, k);
        point[static_cast<std::size_t>(k)] = (values.front() + values.back()) / 2.0;
    }
    return point;
}

std::optional<SlicePlot> PlotSlice(const ProblemModel& model, int variable, const PerVariable<double>& point,
                                   int samples)
{
    const std::optional<Slice> slice = SliceAlong(model, variable, point);
    if (!slice)
        return std::nullopt;
    SlicePlot plot;
    plot.xs = Spaced(PlotRange(model, variable), samples);
    plot.approximation = SampleSlice(model, *slice, plot.xs);

    // The grid line nearest to the point: the other variables at their nearest values.
    PerVariable<int> index{};
    PerVariable<double> onGrid = point;
    for (int k = 0; k <= model.lastVar; ++k) {
        if (k == variable)
            continue;
        const auto s = static_cast<std::size_t>(k);
        index[s] = NearestGridIndex(model, k, point[s]);
        onGrid[s] = model.GetVarX(k, index[s]);
    }
    const auto v = static_cast<std::size_t>(variable);
    for (int i = 0; i <= model.valueUpper[v]; ++i) {
        index[v] = i;
        plot.gridXs.push_back(model.GetVarX(variable, i));
        plot.tabulated.push_back(Tabulated(model, index));
    }
    const std::vector<double> fitted = SampleSlice(model, *SliceAlong(model, variable, onGrid), plot.gridXs);
    for (std::size_t i = 0; i < fitted.size(); ++i)
        plot.difference.push_back(fitted[i] - plot.tabulated[i]);
    return plot;
}

std::optional<MapPlot> PlotMap(const ProblemModel& model, int first, int second, const PerVariable<double>& point,
                               int columns, int rows)
{
    const std::optional<Sheet> sheet = SheetAlong(model, first, second, point);
    if (!sheet)
        return std::nullopt;
    MapPlot plot;
    plot.xs = Spaced(PlotRange(model, first), columns);
    plot.ys = Spaced(PlotRange(model, second), rows);
    plot.values = SampleSheet(model, *sheet, plot.xs, plot.ys);
    for (int j = 0; j <= model.valueUpper[static_cast<std::size_t>(second)]; ++j)
        for (int i = 0; i <= model.valueUpper[static_cast<std::size_t>(first)]; ++i) {
            plot.gridXs.push_back(model.GetVarX(first, i));
            plot.gridYs.push_back(model.GetVarX(second, j));
        }
    return plot;
}

} // namespace tavex::command
