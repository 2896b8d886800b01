#pragma once

#include "model/problem_model.h"
#include "script/script_host.h"
#include "setup/session.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>

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

// Why `text` cannot be variable k's coordinate, or nothing when its leading
// number can: "x: 1e999 is beyond the range of a number". The leading
// number of a text is an infinity only when its magnitude is beyond the
// doubles ("inf" is no number).
std::optional<std::string> CoordinateRefusal(const ProblemModel& model, int k, std::string_view text);

// Whether `function` holds a formula: a text of blanks only is none.
bool HasFormula(std::string_view function);

struct PointEvaluation {
    // Why the point was refused (CoordinateRefusal of the variable `refused`);
    // then nothing was evaluated, assigned or kept.
    std::string refusal;
    int refused = -1;
    // Nothing while the coefficients are not current.
    std::optional<double> approximation;
    // Whether a formula was given, and its value at the point when the host
    // computed it.
    bool compared = false;
    std::optional<double> function;
};

// The approximation at the point; nothing while the coefficients are not current.
std::optional<double> ApproximationAt(const ProblemModel& model, const PerVariable<double>& point);

// What a window shows in place of a value from the coefficients while they
// are not current: "out of date", or "not computed" when there are none.
std::string NoCurrentValue(const ProblemModel& model);

// Compute: every coordinate's leading number becomes evalX and goes to the
// script host, then the approximation is evaluated at the point; a formula
// in `function` is then evaluated by the host, and the text kept for the run.
PointEvaluation EvaluatePoint(const ProblemModel& model, Session& session, script::ScriptHost& host,
                              const PerVariable<std::string>& coordinates, std::string_view function);

// The formula's value at the point, for tavex-cli eval, or what stopped it.
// Only the variables whose names are identifiers of the script language
// are assigned (unlike AssignPoint, nothing is raised for the others); the
// formula fails when it reads a variable that could not be assigned, else
// with the host's description.
std::variant<double, std::string> FunctionAt(script::ScriptHost& host, const ProblemModel& model,
                                             const PerVariable<double>& point, std::string_view function);

// A value as the windows show it: its standard text, and words for what is
// not a finite number ("undefined" for NaN, "overflow" for an infinity).
std::string ShownValue(double value);

} // namespace tavex::command
