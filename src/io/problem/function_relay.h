#pragma once

#include "io/text/file_outcome.h"
#include "model/problem_model.h"

#include <string>

namespace tavex {

// Add values' re-lay of the function table: variable k gains `added` values
// at the end of its list, and every function value keeps its grid point.
// The table passes through a temporary file as number lines, the last index
// fastest (the data file's order and encoding), so every value comes back
// rounded to 15 significant digits. The file gets a name of its own in
// `folder` (the start-up directory), or in the system's temporary directory
// when that one cannot take it, and is removed once read.
//
// On success valueUpper(k) has grown by `added`, the new function values are
// 0 and coef is all zero. On failure (the file cannot be written or read, the
// tables would not fit) nothing has changed and the outcome says why.
FileOutcome ReLayFunTable(ProblemModel& model, int k, int added, const std::string& folder);

} // namespace tavex
