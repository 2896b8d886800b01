#pragma once

#include "model/problem_model.h"
#include "script/script_host.h"
#include "setup/session.h"

#include <optional>
#include <string>
#include <string_view>

namespace tavex::command {

// The evaluation window's Compute, and tavex-cli eval --function.

// Registers `math` with the host as "sh", its members global names, and
// runs the statements that set its constants (pi, halfpi, e).
void StartScriptHost(script::ScriptHost& host, script::MathObject& math);

// The text of a coordinate in the statement that sends it to the script
// host: a blank before a number that is not negative, "." as the decimal
// point, and as many digits as give the very same double back.
std::string StatementNumber(double value);

// Assigns every coordinate of `point` to the script variable named after its
// variable ("x= 2"). A statement the host refuses is reported by the host
// and skipped; the first refusal is returned.
std::optional<script::ScriptError> AssignPoint(script::ScriptHost& host, const ProblemModel& model,
                                               const PerVariable<double>& point);

struct PointEvaluation {
    // Nothing while the problem holds no computed coefficients: the window
    // keeps showing the last value.
    std::optional<double> approximation;
    // The function's value at the point, when an expression was given and
    // the host computed it.
    std::optional<double> function;
};

// Compute: every coordinate's leading number becomes evalX and goes to the
// script host, then the approximation is evaluated at the point; a
// non-empty `function` is then evaluated by the host and kept for the run.
PointEvaluation EvaluatePoint(const ProblemModel& model, Session& session, script::ScriptHost& host,
                              const PerVariable<std::string>& coordinates, std::string_view function);

// A value as the windows show it: its standard text, and words for what is
// not a finite number ("undefined" for NaN, "overflow" for an infinity).
std::string ShownValue(double value);

} // namespace tavex::command
