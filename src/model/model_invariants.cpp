#include "model/model_invariants.h"

namespace tavex {

std::string BrokenInvariant(const ProblemModel& model)
{
    if (model.lastVar < 0 || model.lastVar >= kMaxVariables)
        return "lastVar " + std::to_string(model.lastVar) + " is outside 0..3";
    if (model.funTable.extents() != model.coef.extents())
        return "funTable and coef differ in shape";
    for (int k = 0; k < kMaxVariables; ++k) {
        const std::string which = "variable " + std::to_string(k + 1) + ": ";
        const int upper = model.Var(k).valueUpper;
        if (k > model.lastVar) {
            if (upper != 0 || model.funTable.extent(k) != 1)
                return which + "a slot without a variable has values";
            continue;
        }
        if (upper < 0)
            return which + "valueUpper is negative";
        if (model.funTable.extent(k) < upper + 1)
            return which + "the tables hold fewer values than its count";
        if (model.Var(k).values.size() < static_cast<std::size_t>(upper) + 1)
            return which + "its value list is shorter than its count";
    }
    return {};
}

} // namespace tavex
