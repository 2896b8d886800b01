#include "engine/fit_figures.h"

#include "engine/condition_estimate.h"
#include "engine/reproduction.h"

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

} // namespace

std::optional<FitFigures> MeasureFit(const ProblemModel& model, const std::vector<LuFactors>& factors,
                                     int threads)
{
    assert(factors.size() == static_cast<std::size_t>(model.lastVar) + 1);
    try {
        const std::vector<SquareMatrix> bases = BasisMatrices(model, threads);
        FitFigures figures;
        for (int i = 0; i <= model.lastVar; ++i) {
            const auto slot = static_cast<std::size_t>(i);
            const double condition = EstimateCondition(bases[slot], factors[slot]);
            const double scaled = EstimateScaledCondition(bases[slot], factors[slot]);
            figures.variables.push_back(
                {std::string(model.NameOf(i)), condition, DigitsLost(condition), scaled, DigitsLost(scaled)});
        }
        figures.reproduction = MeasureReproduction(model, bases, threads);
        return figures;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

} // namespace tavex
