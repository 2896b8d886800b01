#pragma once

#include "script/program.h"
#include "script/scope.h"

namespace tavex::script {

// Runs the steps in order until one fails; the steps before it keep their
// effects. The value is that of the expression a program of one expression
// leaves.
Outcome Run(const Program& program, Scope& scope);

} // namespace tavex::script
