#include "engine/compute.h"

#include "engine/basis.h"
#include "engine/lu_factors.h"
#include "engine/solver.h"

#include <cmath>
#include <vector>

namespace tavex {

namespace {

// Upper index of every dimension taking part: valueUpper up to lastVar, 0 beyond.
std::array<int, 4> UsedUpper(const ProblemModel& model)
{
    std::array<int, 4> upper{};
    for (int k = 0; k <= model.lastVar; ++k)
        upper[static_cast<std::size_t>(k)] = model.valueUpper[static_cast<std::size_t>(k)];
    return upper;
}

// The lists, the table and the counts must agree; when they do not, the
// computation ends without a word, as for any fault outside the arithmetic.
bool ShapesAgree(const ProblemModel& model, const std::array<int, 4>& upper)
{
    if (model.lastVar < 0 || model.lastVar >= kMaxVariables)
        return false;
    for (int k = 0; k < kMaxVariables; ++k) {
        const int u = upper[static_cast<std::size_t>(k)];
        if (u < 0 || u >= model.coef.extent(k))
            return false;
        if (k <= model.lastVar && model.VarX(k).size() < static_cast<std::size_t>(u) + 1)
            return false;
    }
    return true;
}

bool AllFinite(const Table4& table, const std::array<int, 4>& upper)
{
    for (int i3 = 0; i3 <= upper[3]; ++i3)
        for (int i2 = 0; i2 <= upper[2]; ++i2)
            for (int i1 = 0; i1 <= upper[1]; ++i1) {
                const double* line = table.data() + table.Offset(0, i1, i2, i3);
                // x - x is 0 for a finite x and NaN otherwise, and a NaN survives the sum.
                double probe = 0.0;
                for (int i0 = 0; i0 <= upper[0]; ++i0)
                    probe += line[i0] - line[i0];
                if (probe != 0.0)
                    return false;
            }
    return true;
}

} // namespace

std::string ZeroPeriodLine(const ProblemModel& model, int variable)
{
    const auto slot = static_cast<std::size_t>(variable);
    const std::string name = slot < model.varName.size() && !model.varName[slot].empty()
                           ? model.varName[slot]
                           : "VARIABLE " + std::to_string(variable + 1);
    return "PERIOD OF " + name + " IS ZERO.";
}

ComputeOutcome Compute(ProblemModel& model, const PerVariable<bool>& spacedChecked,
                       const ComputeOptions& options)
{
    model.isComputed = false;
    model.RegenerateSpacedValues(spacedChecked);

    const std::array<int, 4> upper = UsedUpper(model);
    if (!ShapesAgree(model, upper))
        return {};

    for (int i = 0; i <= model.lastVar; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        if (model.isTrigonometric[slot] && model.period[slot] == 0.0)
            return {false, ZeroPeriodLine(model, i)};
    }

    // Every variable's matrix is factored first: a zero pivot is known before
    // the table is touched, and the solve can then take two variables per
    // pass over memory. The variables after a singular one are not processed.
    std::vector<LuFactors> factors;
    bool singular = false;
    for (int i = 0; i <= model.lastVar && !singular; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        const bool trigonometric = model.isTrigonometric[slot];
        const double w = AngleFactor(trigonometric, model.period[slot]);
        factors.push_back(FactorBasis(BuildBasisMatrix(model.VarX(i), upper[slot] + 1, trigonometric,
                                                       model.center[slot], w)));
        singular = factors.back().singular();
    }
    ApplyFactorsAlongVariables(model.coef, upper, factors, options.threads);
    if (singular)
        return {false, kSingularLine};

    if (!AllFinite(model.coef, upper))
        return {false, kOverflowLine};

    model.isComputed = true;
    return {true, {}};
}

} // namespace tavex
