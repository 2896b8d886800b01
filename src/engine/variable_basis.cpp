#include "engine/variable_basis.h"

#include "engine/kinds/powers.h"

namespace tavex {

VariableBasis BasisOf(const ProblemModel& model, int v)
{
    if (v > model.lastVar)
        return {&PowersKind(), 0.0, 0.0, nullptr, 1, false};
    const Variable& variable = model.Var(v);
    return {&BasisKindOf(variable.kind), variable.center, variable.period, &variable.values,
            variable.valueUpper + 1, true};
}

bool HasZeroPeriod(const ProblemModel& model)
{
    for (int v = 0; v <= model.lastVar; ++v)
        if (BasisOf(model, v).ZeroPeriod())
            return true;
    return false;
}

} // namespace tavex
