#include "commands/plot_data.h"

#include "engine/slice.h"
#include "model/number_text.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <utility>

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
    return model.funTable.At(index);
}

// The index of the value of variable k that is exactly x, if any.
std::optional<int> GridIndexOf(const ProblemModel& model, int k, double x)
{
    for (int i = 0; i <= model.Var(k).valueUpper; ++i)
        if (model.Var(k).Value(i) == x)
            return i;
    return std::nullopt;
}

// "p = 2, q = 0.5": the variables other than the free ones at their coordinates.
std::string HeldPart(const ProblemModel& model, const PerVariable<bool>& free, const PerVariable<double>& point)
{
    std::string held;
    for (int k = 0; k <= model.lastVar; ++k) {
        const auto s = static_cast<std::size_t>(k);
        if (free[s])
            continue;
        held += (held.empty() ? " at " : ", ") + std::string(model.NameOf(k)) + " = " + TextOfNumber(point[s]);
    }
    return held;
}

} // namespace

std::pair<double, double> PlotRange(const ProblemModel& model, int k)
{
    double lo = std::min(model.Var(k).lowerLimit, model.Var(k).upperLimit);
    double hi = std::max(model.Var(k).lowerLimit, model.Var(k).upperLimit);
    for (int i = 0; i <= model.Var(k).valueUpper; ++i) {
        lo = std::min(lo, model.Var(k).Value(i));
        hi = std::max(hi, model.Var(k).Value(i));
    }
    const double margin = hi > lo ? (hi - lo) / 10.0 : std::max(1.0, std::fabs(lo)) / 10.0;
    return {lo - margin, hi + margin};
}

std::vector<double> SortedGridValues(const ProblemModel& model, int k)
{
    std::vector<double> values;
    for (int i = 0; i <= model.Var(k).valueUpper; ++i)
        values.push_back(model.Var(k).Value(i));
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    return values;
}

double SliderStops::CoordinateAt(int position) const
{
    assert(!values.empty() && position >= 0 && position <= LastPosition());
    const auto below = static_cast<std::size_t>(position / perGap);
    const int step = position % perGap;
    if (step == 0)
        return values[below];
    return values[below] + static_cast<double>(step) / perGap * (values[below + 1] - values[below]);
}

int SliderStops::PositionNearest(double x) const
{
    assert(!values.empty());
    const auto above = std::lower_bound(values.begin(), values.end(), x);
    if (above == values.begin())
        return 0; // also for NaN, which no comparison holds for
    if (above == values.end())
        return LastPosition();
    const auto below = above - 1;
    const double steps = (x - *below) / (*above - *below) * perGap;
    // Half a step rounds down: the lower of two positions as near.
    return static_cast<int>(below - values.begin()) * perGap + static_cast<int>(std::ceil(steps - 0.5));
}

SliderStops StopsOf(std::vector<double> values, bool between)
{
    constexpr int kStepsBetween = 10;
    return {std::move(values), between ? kStepsBetween : 1};
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

    // The table has values on the line only where every held coordinate is one of its variable's values.
    PerVariable<int> index{};
    for (int k = 0; k <= model.lastVar; ++k) {
        if (k == variable)
            continue;
        const auto s = static_cast<std::size_t>(k);
        const std::optional<int> at = GridIndexOf(model, k, point[s]);
        if (!at)
            return plot;
        index[s] = *at;
    }
    plot.onGridLine = true;
    const auto v = static_cast<std::size_t>(variable);
    for (int i = 0; i <= model.Var(v).valueUpper; ++i) {
        index[v] = i;
        plot.gridXs.push_back(model.Var(variable).Value(i));
        plot.tabulated.push_back(Tabulated(model, index));
    }
    const std::vector<double> fitted = SampleSlice(model, *slice, plot.gridXs);
    for (std::size_t i = 0; i < fitted.size(); ++i)
        plot.difference.push_back(fitted[i] - plot.tabulated[i]);
    return plot;
}

std::optional<SlicePlot> PlotSlice(const ProblemModel& model, DerivativeCache& cache, int variable, int order,
                                   const PerVariable<double>& point, int samples)
{
    assert(order >= 0 && order <= kMaxSliceOrder);
    if (order == 0)
        return PlotSlice(model, variable, point, samples);
    PerVariable<int> orders{};
    orders[static_cast<std::size_t>(variable)] = order;
    const ProblemModel* derivative = cache.Of(model, orders);
    if (!derivative)
        return std::nullopt;
    const std::optional<Slice> slice = SliceAlong(*derivative, variable, point);
    if (!slice)
        return std::nullopt;
    SlicePlot plot;
    plot.order = order;
    plot.xs = Spaced(PlotRange(model, variable), samples);
    plot.approximation = SampleSlice(*derivative, *slice, plot.xs);
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
    for (int j = 0; j <= model.Var(second).valueUpper; ++j)
        for (int i = 0; i <= model.Var(first).valueUpper; ++i) {
            plot.gridXs.push_back(model.Var(first).Value(i));
            plot.gridYs.push_back(model.Var(second).Value(j));
        }
    return plot;
}

std::string SliceTitle(const ProblemModel& model, int variable, const PerVariable<double>& point, int order)
{
    PerVariable<bool> free{};
    free[static_cast<std::size_t>(variable)] = true;
    std::string title = order > 0 ? CurveName(model, variable, order) + " " : std::string();
    return title.append("along ").append(model.NameOf(variable)).append(HeldPart(model, free, point));
}

std::string CurveName(const ProblemModel& model, int variable, int order)
{
    if (order == 0)
        return "approximation";
    PerVariable<int> orders{};
    orders[static_cast<std::size_t>(variable)] = order;
    return DerivativeName(model, orders);
}

std::string MapTitle(const ProblemModel& model, int first, int second, const PerVariable<double>& point)
{
    PerVariable<bool> free{};
    free[static_cast<std::size_t>(first)] = free[static_cast<std::size_t>(second)] = true;
    return std::string(model.NameOf(first)) + " and " + std::string(model.NameOf(second))
         + HeldPart(model, free, point);
}

std::string PlotsUnavailable(const ProblemModel& model)
{
    switch (model.ResultsState()) {
    case Results::Current: return {};
    case Results::OutOfDate: return "The coefficients are out of date: compute again to plot.";
    case Results::None: break;
    }
    return "No coefficients are computed: compute to plot.";
}

std::string MapUnavailable(const ProblemModel& model, int first, int second)
{
    if (std::string why = PlotsUnavailable(model); !why.empty())
        return why;
    return first == second ? "Across and Up are the same variable: choose two to draw the map." : std::string();
}

} // namespace tavex::command
