#pragma once

#include "model/problem_model.h"

#include <string>

namespace tavex {

// What every command relies on, in one place: at most four variables; a name
// slot for each; both tables of one shape, covering every variable's values,
// extent 1 beyond lastVar; each value list holding at least its count.
// Empty when all hold, otherwise the first
// one broken, in words, for the checks that run after every command in the
// debug and sanitizer builds and in the tests.
std::string BrokenInvariant(const ProblemModel& model);

} // namespace tavex
