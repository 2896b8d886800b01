#pragma once

#include "script/program.h"
#include "script/scope.h"

#include <variant>

namespace tavex::script {

// Runs the steps in order until one fails; the steps before it keep their
// effects. The value is that of the expression a program of one expression
// leaves; a failure is placed at the step's token.
std::variant<double, Failure> Run(const Program& program, Scope& scope);

} // namespace tavex::script
