// export: the stored coefficients as CSV or JSON, to standard output or a file.
#include "command_support.h"
#include "commands.h"
#include "commands/export_command.h"
#include "io/export/coefficient_export.h"
#include "output.h"

#include <cstdio>
#include <optional>
#include <variant>
#include <vector>

namespace tavex::cli {

namespace {

struct ExportRequest {
    std::string problem;
    std::optional<CoefficientFormat> format;
    std::optional<std::string> output; // none: standard output
};

std::optional<CoefficientFormat> FormatNamed(std::string_view name)
{
    if (name == "csv")
        return CoefficientFormat::Csv;
    if (name == "json")
        return CoefficientFormat::Json;
    return std::nullopt;
}

// The request, or the exit status of a usage error. The options may stand
// before or after PROBLEM.
std::variant<ExportRequest, int> ParseRequest(Arguments arguments)
{
    ExportRequest request;
    std::vector<std::string_view> files;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--format" || argument == "-o") {
            if (i + 1 == arguments.size())
                return UsageError("export", std::string(argument) + " expects a value");
            const std::string_view value = arguments[++i];
            if (argument == "--format") {
                if (request.format)
                    return UsageError("export", "--format given twice");
                request.format = FormatNamed(value);
                if (!request.format)
                    return UsageError("export", "unknown format '" + std::string(value) + "' (csv or json)");
            } else {
                if (request.output)
                    return UsageError("export", "-o given twice");
                request.output = std::string(value);
            }
        } else if (argument.size() > 1 && argument.front() == '-') {
            return UsageError("export", "unknown option '" + std::string(argument) + "'");
        } else {
            files.push_back(argument);
        }
    }
    if (files.size() != 1)
        return UsageError("export", "expects one PROBLEM file");
    if (!request.format)
        return UsageError("export", "expects --format csv or --format json");
    request.problem = files.front();
    return request;
}

int WriteToStandardOutput(const ProblemModel& model, CoefficientFormat format)
{
    bool failed = false;
    WriteCoefficients(model, format, [&failed](std::string_view piece) {
        if (!failed && std::fwrite(piece.data(), 1, piece.size(), stdout) != piece.size())
            failed = true;
    });
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
    if (!request.output)
        return WriteToStandardOutput(model, *request.format);

    const FileOutcome exported = command::ExportCoefficients(model, problem, *request.output, *request.format);
    if (!exported.ok) {
        ReportError(exported.message);
        return kExitError;
    }
    return kExitDone;
}

} // namespace tavex::cli
