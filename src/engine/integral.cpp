#include "engine/integral.h"

#include "engine/contraction.h"
#include "engine/variable_basis.h"

#include <limits>

namespace tavex {

namespace {

// A level whose weights are the integrals of the variable's functions over its side of the box.
Level IntegralLevel(const VariableBasis& basis, double from, double to)
{
    Level level;
    level.form = LevelForm::kWeighted;
    level.weights.resize(static_cast<std::size_t>(basis.count));
    if (basis.inUse)
        basis.kind->IntegralWeights(from, to, basis.center, basis.period, basis.count - 1, level.weights.data());
    else
        level.weights[0] = 1.0;
    return level;
}

// The box's levels; for the mean, a side whose bounds meet is taken at its coordinate.
std::optional<double> Contract(const ProblemModel& model, const IntegrationBox& box, bool mean)
{
    if (!model.IsComputed())
        return std::nullopt;
    if (HasZeroPeriod(model))
        return std::numeric_limits<double>::quiet_NaN();
    PerVariable<Level> levels;
    double volume = 1.0;
    for (int v = 0; v < kMaxVariables; ++v) {
        const auto slot = static_cast<std::size_t>(v);
        const VariableBasis basis = BasisOf(model, v);
        const double from = box.lower[slot];
        const double to = box.upper[slot];
        if (mean && basis.inUse && from == to) {
            levels[slot] = MakeLevel(basis, from, basis.count - 1);
            continue;
        }
        levels[slot] = IntegralLevel(basis, from, to);
        if (basis.inUse)
            volume = volume * (to - from);
    }
    const double integral = ContractCoefficients(model, levels);
    return mean ? integral / volume : integral;
}

} // namespace

IntegrationBox VariableIntervals(const ProblemModel& model)
{
    IntegrationBox box;
    for (int v = 0; v <= model.lastVar; ++v) {
        box.lower[static_cast<std::size_t>(v)] = model.Var(v).lowerLimit;
        box.upper[static_cast<std::size_t>(v)] = model.Var(v).upperLimit;
    }
    return box;
}

std::optional<double> Integrate(const ProblemModel& model, const IntegrationBox& box)
{
    return Contract(model, box, false);
}

std::optional<double> MeanValue(const ProblemModel& model, const IntegrationBox& box)
{
    return Contract(model, box, true);
}

} // namespace tavex
