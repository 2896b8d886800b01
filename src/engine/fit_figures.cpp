#include "engine/fit_figures.h"

#include "base/memory_share.h"
#include "base/parallel_for.h"
#include "engine/condition_estimate.h"
#include "engine/reproduction.h"
#include "engine/singular_basis.h"
#include "engine/swing.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <limits>
#include <new>

namespace tavex {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

double DigitsLost(double condition)
{
    return condition == kInfinity ? kInfinity : std::max(0.0, std::log10(condition));
}

FitFigures Measure(const ProblemModel& model, const std::vector<SquareMatrix>& bases,
                   const std::vector<LuFactors>& factors, int threads)
{
    FitFigures figures;
    const std::array<int, 4> upper = model.UpperIndices();
    for (int i = 0; i <= model.lastVar; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        VariableFit variable;
        variable.name = std::string(model.NameOf(i));
        variable.condition = EstimateCondition(bases[slot], factors[slot]);
        variable.digitsLost = DigitsLost(variable.condition);
        variable.scaledCondition = EstimateScaledCondition(bases[slot], factors[slot]);
        variable.scaledDigitsLost = DigitsLost(variable.scaledCondition);
        const std::string shownName = variable.name.empty() ? "variable " + std::to_string(i + 1) : variable.name;
        variable.singularity = BasisSingularity(model.Var(i).values, upper[slot] + 1, model.IsTrigonometric(i),
                                                model.Var(slot).center, model.Var(slot).period, shownName);
        figures.variables.push_back(std::move(variable));
    }
    figures.reproduction = MeasureReproduction(model, bases, threads);
    figures.swing = MeasureSwing(model, threads);
    return figures;
}

} // namespace

std::optional<FitFigures> MeasureFit(const ProblemModel& model, const std::vector<LuFactors>& factors,
                                     int threads)
{
    assert(model.IsComputed() && factors.size() == static_cast<std::size_t>(model.lastVar) + 1);
    try {
        return Measure(model, BasisMatrices(model, threads), factors, threads);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

std::optional<FitFigures> MeasureFit(const ProblemModel& model, int threads)
{
    assert(model.IsComputed());
    // Each matrix and its factors, all at once, as Compute holds them.
    double matrixBytes = 0.0;
    for (const int upper : model.UpperIndices())
        matrixBytes += 2.0 * (upper + 1.0) * (upper + 1.0) * sizeof(double);
    if (matrixBytes > MemoryShareBytes())
        return std::nullopt;
    try {
        const std::vector<SquareMatrix> bases = BasisMatrices(model, threads);
        std::vector<LuFactors> factors(bases.size());
        ParallelFor(bases.size(), threads, [&](std::size_t begin, std::size_t end) {
            for (std::size_t slot = begin; slot < end; ++slot)
                factors[slot] = FactorBasis(bases[slot]);
        });
        return Measure(model, bases, factors, threads);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

} // namespace tavex
