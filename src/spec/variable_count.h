#pragma once

#include "model/problem_model.h"

#include <string_view>

namespace tavex {

// Confirms the text of the variable-count box. Accepted when its leading
// number v rounds to one to four variables (lastVar = v - 1, ties to even);
// then lastVar is set and every per-variable array gets four fresh slots.
// Refused (model untouched) for v <= 0, v > 4 and for 0 < v < 0.5, which
// would round to no variable at all.
bool ConfirmVariableCount(ProblemModel& model, std::string_view text);

} // namespace tavex
