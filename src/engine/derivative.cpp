#include "engine/derivative.h"

#include "engine/variable_basis.h"
#include "model/index_walk.h"

#include <cassert>

namespace tavex {

std::optional<ProblemModel> Derivative(const ProblemModel& model, const PerVariable<int>& orders)
{
    assert(model.IsComputed());
    ProblemModel derivative;
    derivative.lastVar = model.lastVar;
    derivative.variables = model.variables;

    PerVariable<DerivativeMap> maps;
    PerVariable<int> upper{};
    for (int v = 0; v <= model.lastVar; ++v) {
        const auto slot = static_cast<std::size_t>(v);
        assert(orders[slot] >= 0 && orders[slot] <= kMaxDerivativeOrder);
        const VariableBasis basis = BasisOf(model, v);
        maps[slot] = basis.kind->Derivative(basis.count, basis.period, orders[slot]);
        Variable& variable = derivative.Var(v);
        variable.valueUpper = maps[slot].Count() - 1;
        // A function more than values: the list repeats its last value, as
        // nothing is solved on it.
        const double last = variable.values.empty() ? 0.0 : variable.values[static_cast<std::size_t>(basis.count) - 1];
        variable.values.resize(static_cast<std::size_t>(variable.valueUpper) + 1, last);
        variable.storedValueUpper = variable.valueUpper;
        upper[slot] = variable.valueUpper;
    }
    if (!derivative.TryShapeTables(upper))
        return std::nullopt;

    // Variable after variable, the order the maps compose in.
    const Table4& coef = model.coef;
    ForEachIndex(upper, [&](const PerVariable<int>& j) {
        PerVariable<int> from = j;
        for (int v = 0; v <= model.lastVar; ++v) {
            const auto slot = static_cast<std::size_t>(v);
            from[slot] = maps[slot].source[static_cast<std::size_t>(j[slot])];
            if (from[slot] == DerivativeMap::kNoSource)
                return; // the table holds 0 there already
        }
        double value = coef.At(from);
        for (int v = 0; v <= model.lastVar; ++v) {
            const auto slot = static_cast<std::size_t>(v);
            value = value * maps[slot].factor[static_cast<std::size_t>(j[slot])];
        }
        derivative.coef.At(j) = value;
    });
    derivative.SetComputed();
    return derivative;
}

} // namespace tavex
