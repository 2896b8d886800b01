#pragma once

#include "model/problem_model.h"
#include "setup/session.h"

namespace tavex {

// The model's side of clearing the results: isComputed becomes false. Returns
// whether the window must empty its coefficient list too; while a problem file
// is being opened nothing happens and the answer is false.
bool ClearResults(ProblemModel& model, const Session& session);

} // namespace tavex
