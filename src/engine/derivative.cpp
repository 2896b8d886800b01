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

    // The derivative's table is shaped to its counts, so the walk meets its
    // elements in storage order; each takes one term of the expansion times
    // the factors, variable after variable, the order the maps compose in.
    const double* in = model.coef.data();
    double* out = derivative.coef.data();
    PerVariable<std::size_t> stride{};
    for (int v = 0; v <= model.lastVar; ++v)
        stride[static_cast<std::size_t>(v)] = model.coef.Stride(v);
    std::size_t next = 0;
    ForEachIndex(upper, [&](const PerVariable<int>& j) {
        double* element = out + next++;
        std::size_t offset = 0;
        for (int v = 0; v <= model.lastVar; ++v) {
            const auto slot = static_cast<std::size_t>(v);
            const int from = maps[slot].source[static_cast<std::size_t>(j[slot])];
            if (from == DerivativeMap::kNoSource)
                return; // the table holds 0 there already
            offset += static_cast<std::size_t>(from) * stride[slot];
        }
        double value = in[offset];
        for (int v = 0; v <= model.lastVar; ++v) {
            const auto slot = static_cast<std::size_t>(v);
            value = value * maps[slot].factor[static_cast<std::size_t>(j[slot])];
        }
        *element = value;
    });
    assert(next == derivative.coef.size());
    derivative.SetComputed();
    return derivative;
}

} // namespace tavex
