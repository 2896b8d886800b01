#include "engine/compute.h"

#include "base/memory_share.h"
#include "engine/basis.h"
#include "engine/lu_factors.h"
#include "base/parallel_for.h"
#include "engine/solver.h"

#include <algorithm>
#include <cassert>
#include <atomic>
#include <cmath>
#include <new>
#include <vector>

namespace tavex {

namespace {

// The lists, the table and the counts agree: ReadSpecs and Open see to it.
bool ShapesAgree(const ProblemModel& model, const std::array<int, 4>& upper)
{
    if (model.lastVar < 0 || model.lastVar >= kMaxVariables)
        return false;
    for (int k = 0; k < kMaxVariables; ++k) {
        const int u = upper[static_cast<std::size_t>(k)];
        if (u < 0 || u >= model.coef.extent(k))
            return false;
        if (k <= model.lastVar && model.Var(k).values.size() < static_cast<std::size_t>(u) + 1)
            return false;
    }
    return true;
}

bool AllFinite(const Table4& table, const std::array<int, 4>& upper, int threads)
{
    // Lines along the first index, numbered with the third and fourth index outermost.
    const std::size_t lines = (static_cast<std::size_t>(upper[1]) + 1) * (static_cast<std::size_t>(upper[2]) + 1)
                            * (static_cast<std::size_t>(upper[3]) + 1);
    const double work = static_cast<double>(lines) * (upper[0] + 1);
    std::atomic<bool> finite{true};
    ParallelFor(lines, work > 1e6 ? threads : 1, [&](std::size_t begin, std::size_t end) {
        for (std::size_t l = begin; l < end && finite.load(std::memory_order_relaxed); ++l) {
            const auto i1 = static_cast<int>(l % (static_cast<std::size_t>(upper[1]) + 1));
            const std::size_t rest = l / (static_cast<std::size_t>(upper[1]) + 1);
            const auto i2 = static_cast<int>(rest % (static_cast<std::size_t>(upper[2]) + 1));
            const auto i3 = static_cast<int>(rest / (static_cast<std::size_t>(upper[2]) + 1));
            const double* line = table.data() + table.Offset(0, i1, i2, i3);
            // x - x is 0 for a finite x and NaN otherwise, and a NaN survives the sum.
            double probe = 0.0;
            for (int i0 = 0; i0 <= upper[0]; ++i0)
                probe += line[i0] - line[i0];
            if (probe != 0.0)
                finite.store(false, std::memory_order_relaxed);
        }
    });
    return finite.load();
}

std::string NameForLine(const ProblemModel& model, int variable)
{
    const std::string_view name = model.NameOf(variable);
    return name.empty() ? "VARIABLE " + std::to_string(variable + 1) : std::string(name);
}

// Every variable's matrix is factored first, side by side on the threads: a
// zero pivot is known before the table is touched, and the solve can then
// take two variables per pass over memory. The variables after a singular
// one are not processed.
ComputeOutcome Solve(ProblemModel& model, const std::array<int, 4>& upper, int threads, bool measureFit)
{
    std::vector<LuFactors> factors(static_cast<std::size_t>(model.lastVar) + 1);
    const int perVariable = std::max(1, threads / static_cast<int>(factors.size()));
    ParallelFor(factors.size(), threads, [&](std::size_t begin, std::size_t end) {
        for (std::size_t slot = begin; slot < end; ++slot) {
            const int i = static_cast<int>(slot);
            const bool trigonometric = model.IsTrigonometric(i);
            const double w = AngleFactor(trigonometric, model.Var(slot).period);
            factors[slot] = FactorBasis(BuildBasisMatrix(model.Var(i).values, upper[slot] + 1, trigonometric,
                                                         model.Var(slot).center, w, perVariable));
        }
    });
    const auto firstSingular = std::find_if(factors.begin(), factors.end(),
                                            [](const LuFactors& f) { return f.singular(); });
    const bool singular = firstSingular != factors.end();
    if (singular)
        factors.erase(firstSingular + 1, factors.end());
    ApplyFactorsAlongVariables(model.coef, upper, factors, threads);
    if (singular)
        return {false, kSingularLine};

    if (!AllFinite(model.coef, upper, threads))
        return {false, kOverflowLine};

    model.SetComputed();
    ComputeOutcome outcome{true, {}};
    if (measureFit)
        outcome.figures = MeasureFit(model, factors, threads);
    return outcome;
}

} // namespace

std::string ZeroPeriodLine(const ProblemModel& model, int variable)
{
    return "PERIOD OF " + NameForLine(model, variable) + " IS ZERO.";
}

std::string BasisTooLargeLine(const ProblemModel& model, int variable)
{
    return "BASIS OF " + NameForLine(model, variable) + " TOO LARGE FOR MEMORY.";
}

ComputeOutcome Compute(ProblemModel& model, const PerVariable<bool>& spacedChecked,
                       const ComputeOptions& options)
{
    model.ClearComputed();
    model.RegenerateSpacedValues(spacedChecked);

    const std::array<int, 4> upper = model.UpperIndices();
    const bool shapesAgree = ShapesAgree(model, upper);
    assert(shapesAgree);
    if (!shapesAgree)
        return {false, kShapesDisagreeLine};

    for (int i = 0; i <= model.lastVar; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        if (model.IsTrigonometric(i) && model.Var(slot).period == 0.0)
            return {false, ZeroPeriodLine(model, i)};
    }
    // All the matrices are held at once, beside the two tables.
    double matrixBytes = 0;
    for (int i = 0; i <= model.lastVar; ++i) {
        const double order = upper[static_cast<std::size_t>(i)] + 1.0;
        matrixBytes += order * order * sizeof(double);
        if (matrixBytes > MemoryShareBytes())
            return {false, BasisTooLargeLine(model, i)};
    }

    try {
        return Solve(model, upper, ResolveThreadCount(options.threads), options.measureFit);
    } catch (const std::bad_alloc&) {
        return {false, kOutOfMemoryLine};
    }
}

} // namespace tavex
