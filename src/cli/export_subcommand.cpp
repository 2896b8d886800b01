// export: the stored coefficients as CSV or JSON, or the expansion as code, to
// standard output or a file.
#include "command_support.h"
#include "commands.h"
#include "commands/calculus_command.h"
#include "commands/export_command.h"
#include "output.h"

#include <cstdio>
#include <optional>
#include <variant>
#include <vector>

namespace tavex::cli {

namespace {

struct ExportRequest {
    std::string problem;
    std::optional<command::ExportFormat> format;
    std::optional<std::string> output; // none: standard output
    std::optional<std::string> name;
    std::optional<std::string> derivative;
};

std::optional<command::ExportFormat> FormatNamed(std::string_view name)
{
    static constexpr std::pair<std::string_view, CodeLanguage> kCode[] = {
        {"c", CodeLanguage::C},
        {"cpp", CodeLanguage::Cpp},
        {"python", CodeLanguage::Python},
        {"fortran", CodeLanguage::Fortran},
        {"javascript", CodeLanguage::JavaScript},
        {"matlab", CodeLanguage::Matlab},
    };
    for (const auto& [text, language] : kCode)
        if (name == text)
            return language;
    if (name == "csv")
        return CoefficientFormat::Csv;
    if (name == "json")
        return CoefficientFormat::Json;
    return std::nullopt;
}

constexpr char kFormats[] = "csv, json, c, cpp, python, fortran, javascript or matlab";

// The request, or the exit status of a usage error. The options may stand
// before or after PROBLEM.
std::variant<ExportRequest, int> ParseRequest(Arguments arguments)
{
    ExportRequest request;
    std::vector<std::string_view> files;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--format" || argument == "-o" || argument == "--name" || argument == "--derivative") {
            if (i + 1 == arguments.size())
                return UsageError("export", std::string(argument) + " expects a value");
            const std::string_view value = arguments[++i];
            if (argument == "--format") {
                if (request.format)
                    return UsageError("export", "--format given twice");
                request.format = FormatNamed(value);
                if (!request.format)
                    return UsageError("export", std::string("unknown format '").append(value).append("' (")
                                                    .append(kFormats).append(")"));
                continue;
            }
            std::optional<std::string>& slot = argument == "-o" ? request.output
                                             : argument == "--name" ? request.name
                                                                    : request.derivative;
            if (slot)
                return UsageError("export", std::string(argument) + " given twice");
            slot = std::string(value);
        } else if (argument.size() > 1 && argument.front() == '-') {
            return UsageError("export", "unknown option '" + std::string(argument) + "'");
        } else {
            files.push_back(argument);
        }
    }
    if (files.size() != 1)
        return UsageError("export", "expects one PROBLEM file");
    if (!request.format)
        return UsageError("export", std::string("expects --format ").append(kFormats));
    if (request.name) {
        if (!std::holds_alternative<CodeLanguage>(*request.format))
            return UsageError("export", "--name is for the code formats, not csv or json");
        if (const std::string refusal = CodeNameRefusal(*request.name); !refusal.empty())
            return UsageError("export", "--name: " + refusal);
    }
    request.problem = files.front();
    return request;
}

int WriteToStandardOutput(const ProblemModel& model, const ExportRequest& request,
                          const command::ExportOptions& options)
{
    bool failed = false;
    const std::optional<std::string> refused =
        command::WriteExport(model, request.problem, *request.format, options, [&failed](std::string_view piece) {
            if (!failed && std::fwrite(piece.data(), 1, piece.size(), stdout) != piece.size())
                failed = true;
        });
    if (refused) {
        ReportError(request.problem + ": " + *refused);
        return kExitNoResult;
    }
    if (std::fflush(stdout) != 0 || failed) {
        ReportError("cannot write to standard output");
        return kExitError;
    }
    return kExitDone;
}

} // namespace

int RunExport(Arguments arguments)
{
    if (ShowHelpIfAsked("export", arguments))
        return kExitDone;
    const std::variant<ExportRequest, int> parsed = ParseRequest(arguments);
    if (const int* status = std::get_if<int>(&parsed))
        return *status;
    const ExportRequest& request = std::get<ExportRequest>(parsed);

    ProblemModel model;
    ShownSpecs shown;
    std::string problem = request.problem;
    if (!OpenProblem(problem, model, shown))
        return kExitError;
    if (!HasCoefficients(problem, model))
        return kExitNoResult;
    command::ExportOptions options;
    if (request.name)
        options.name = *request.name;
    if (request.derivative) {
        const std::variant<PerVariable<int>, std::string> orders = command::ReadDerivativeOrders(model, *request.derivative);
        if (const auto* refusal = std::get_if<std::string>(&orders))
            return UsageError("export", "--derivative: " + *refusal);
        options.orders = std::get<PerVariable<int>>(orders);
    }
    if (!request.output)
        return WriteToStandardOutput(model, request, options);

    const FileOutcome exported = command::ExportCoefficients(model, problem, *request.output, *request.format, options);
    if (!exported.ok) {
        ReportError(exported.message);
        return kExitError;
    }
    return kExitDone;
}

} // namespace tavex::cli
