#include "engine/variable_basis.h"

#include "engine/kinds/powers.h"

namespace tavex {

VariableBasis BasisOf(const ProblemModel& model, int v)
{
    const auto slot = static_cast<std::size_t>(v);
    if (v > model.lastVar)
        return {&PowersKind(), 0.0, 0.0, nullptr, 1, false};
    return {&BasisKindOf(model.kind[slot]), model.center[slot], model.period[slot], &model.VarX(v),
            model.valueUpper[slot] + 1, true};
}

bool HasZeroPeriod(const ProblemModel& model)
{
    for (int v = 0; v <= model.lastVar; ++v)
        if (BasisOf(model, v).ZeroPeriod())
            return true;
    return false;
}

} // namespace tavex
