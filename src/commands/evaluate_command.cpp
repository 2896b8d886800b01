#include "commands/evaluate_command.h"

#include "commands/blanks.h"
#include "engine/evaluate.h"
#include "model/number_text.h"
#include "script/constant_statements.h"
#include "script/script_names.h"

#include <charconv>
#include <cmath>

namespace tavex::command {

void StartScriptHost(script::ScriptHost& host, script::MathObject& math)
{
    host.AddObject("sh", math, true);
    for (const std::string_view statement : script::kConstantStatements)
        host.ExecuteStatement(statement);
}

std::string StatementNumber(double value)
{
    // The shortest round-trip text, so that the script's variable holds the
    // coordinate the approximation is evaluated at, to the last bit.
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    const std::string digits(buffer, error == std::errc() ? end : buffer);
    return std::signbit(value) ? digits : " " + digits;
}

std::optional<script::ScriptError> AssignPoint(script::ScriptHost& host, const ProblemModel& model,
                                               const PerVariable<double>& point)
{
    std::optional<script::ScriptError> first;
    for (int k = 0; k <= model.lastVar; ++k) {
        const std::string statement =
            std::string(model.NameOf(k)) + "=" + StatementNumber(point[static_cast<std::size_t>(k)]);
        if (std::optional<script::ScriptError> refused = host.ExecuteStatement(statement); refused && !first)
            first = std::move(refused);
    }
    return first;
}

std::optional<std::string> CoordinateRefusal(const ProblemModel& model, int k, std::string_view text)
{
    if (!std::isinf(LeadingNumber(text)))
        return std::nullopt;
    return std::string(WithoutBlanks(model.NameOf(k))) + ": " + std::string(WithoutBlanks(text))
         + " is beyond the range of a number";
}

bool HasFormula(std::string_view function)
{
    return !WithoutBlanks(function).empty();
}

std::optional<double> ApproximationAt(const ProblemModel& model, const PerVariable<double>& point)
{
    return Evaluate(model, point);
}

std::string NoCurrentValue(const ProblemModel& model)
{
    return model.ResultsState() == Results::OutOfDate ? "out of date" : "not computed";
}

PointEvaluation EvaluatePoint(const ProblemModel& model, Session& session, script::ScriptHost& host,
                              const PerVariable<std::string>& coordinates, std::string_view function)
{
    PointEvaluation result;
    for (int k = 0; k <= model.lastVar; ++k)
        if (std::optional<std::string> refusal = CoordinateRefusal(model, k, coordinates[static_cast<std::size_t>(k)])) {
            result.refusal = std::move(*refusal);
            result.refused = k;
            return result;
        }
    for (int k = 0; k <= model.lastVar; ++k)
        session.evalX[static_cast<std::size_t>(k)] = LeadingNumber(coordinates[static_cast<std::size_t>(k)]);
    session.pointEvaluated = true;
    (void)AssignPoint(host, model, session.evalX);
    result.approximation = ApproximationAt(model, session.evalX);
    session.evalFunction = std::string(function);
    result.compared = HasFormula(function);
    if (result.compared)
        if (const auto value = host.Eval(function); std::holds_alternative<double>(value))
            result.function = std::get<double>(value);
    return result;
}

std::variant<double, std::string> FunctionAt(script::ScriptHost& host, const ProblemModel& model,
                                             const PerVariable<double>& point, std::string_view function)
{
    for (int k = 0; k <= model.lastVar; ++k) {
        const std::string_view name = model.NameOf(k);
        if (!script::IsIdentifier(name))
            continue; // no formula can read it
        const std::string statement = std::string(name) + "=" + StatementNumber(point[static_cast<std::size_t>(k)]);
        // An identifier the host still refuses names a function or an object ("Sin", "sh").
        if (const std::optional<script::ScriptError> refused = host.ExecuteStatement(statement);
            refused && script::ReadsName(function, name))
            // The statement is the program's, not the user's: its place would say nothing.
            return std::string(WithoutBlanks(name)) + " cannot be given its coordinate: "
                 + script::VBScriptDescription(refused->number);
    }
    std::variant<double, script::ScriptError> value = host.Eval(function);
    if (const auto* failed = std::get_if<script::ScriptError>(&value))
        return failed->description;
    return std::get<double>(value);
}

std::string ShownValue(double value)
{
    if (std::isnan(value))
        return "undefined";
    if (std::isinf(value))
        return value > 0 ? "overflow" : "-overflow";
    return TextOfNumber(value);
}

} // namespace tavex::command
