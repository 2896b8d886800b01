#include "commands/evaluate_command.h"

#include "engine/evaluate.h"
#include "model/number_text.h"
#include "script/constant_statements.h"

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

PointEvaluation EvaluatePoint(const ProblemModel& model, Session& session, script::ScriptHost& host,
                              const PerVariable<std::string>& coordinates, std::string_view function)
{
    PerVariable<double> offsets{};
    for (int k = 0; k <= model.lastVar; ++k) {
        const auto s = static_cast<std::size_t>(k);
        session.evalX[s] = LeadingNumber(coordinates[s]);
        offsets[s] = session.evalX[s] - model.center[s];
    }
    session.pointEvaluated = true;
    (void)AssignPoint(host, model, session.evalX);
    PointEvaluation result;
    result.approximation = Evaluate(model, offsets);
    session.evalFunction = std::string(function);
    if (function.find_first_not_of(" \t") != std::string_view::npos)
        if (const auto value = host.Eval(function); std::holds_alternative<double>(value))
            result.function = std::get<double>(value);
    return result;
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
