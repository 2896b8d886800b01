#include "model/model_invariants.h"

namespace tavex {

std::string BrokenInvariant(const ProblemModel& model)
{
    if (model.lastVar < 0 || model.lastVar >= kMaxVariables)
        return "lastVar " + std::to_string(model.lastVar) + " is outside 0..3";
    if (model.varName.size() < static_cast<std::size_t>(model.lastVar) + 1)
        return "fewer name slots than variables";
    if (model.funTable.extents() != model.coef.extents())
        return "funTable and coef differ in shape";
    for (int k = 0; k < kMaxVariables; ++k) {
        const auto s = static_cast<std::size_t>(k);
        const std::string which = "variable " + std::to_string(k + 1) + ": ";
        const int upper = model.valueUpper[s];
        if (k > model.lastVar) {
            if (upper != 0 || model.funTable.extent(k) != 1)
                return which + "a slot without a variable has values";
            continue;
        }
        if (upper < 0)
            return which + "valueUpper is negative";
        if (model.funTable.extent(k) < upper + 1)
            return which + "the tables hold fewer values than its count";
        if (model.VarX(k).size() < static_cast<std::size_t>(upper) + 1)
            return which + "its value list is shorter than its count";
    }
    return {};
}

} // namespace tavex
