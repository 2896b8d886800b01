#pragma once

#include "script/program.h"

#include <string_view>
#include <variant>

namespace tavex::script {

// Statements separated by ":" or line ends; each is empty, an assignment
// (name = expression, object.member = expression) or a call. The whole text
// is compiled before any of it runs, so that a syntax error anywhere runs
// nothing, as in VBScript.
std::variant<Program, Failure> CompileStatements(std::string_view text);

// One expression and nothing after it.
std::variant<Program, Failure> CompileExpression(std::string_view text);

} // namespace tavex::script
