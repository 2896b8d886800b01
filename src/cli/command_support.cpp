#include "command_support.h"

#include "commands/file_commands.h"
#include "io/listing/coefficient_listing.h"
#include "output.h"

#include <cstdio>

namespace tavex::cli {

bool ShowHelpIfAsked(std::string_view command, Arguments arguments)
{
    for (const std::string_view argument : arguments) {
        if (argument == "--help" || argument == "-h") {
            std::fputs(CommandUsage(command), stdout);
            return true;
        }
    }
    return false;
}

int UsageError(std::string_view command, std::string_view what)
{
    ReportError(std::string(command) + ": " + std::string(what) + " (see 'tavex-cli " + std::string(command)
                + " --help')");
    return kExitError;
}

bool OpenProblem(std::string& path, ProblemModel& model, ShownSpecs& shown)
{
    Session session;
    command::OpenResult opened = command::Open(model, session, path);
    if (!opened.outcome.ok) {
        ReportError(opened.outcome.message);
        return false;
    }
    shown = std::move(opened.shown);
    path = std::move(session.problemFile);
    return true;
}

std::optional<int> OpenOnlyProblem(std::string_view command, Arguments arguments, std::string& path,
                                   ProblemModel& model, ShownSpecs& shown)
{
    if (ShowHelpIfAsked(command, arguments))
        return kExitDone;
    if (arguments.size() != 1)
        return UsageError(command, "expects one PROBLEM file");
    path = std::string(arguments[0]);
    if (!OpenProblem(path, model, shown))
        return kExitError;
    return std::nullopt;
}

int FinishOutput(LineWriter& out)
{
    if (out.Flush())
        return kExitDone;
    ReportError("cannot write to standard output");
    return kExitError;
}

int WriteListing(LineWriter& out, const ProblemModel& model)
{
    WriteListingText(model, [&out](std::string_view lines) { out.Lines(lines); });
    return FinishOutput(out);
}

std::optional<command::ComputeResult> ComputeOpened(ProblemModel& model, const Session& session, const Panels& panels,
                                                    LineWriter& out)
{
    command::ComputeResult result = command::Compute(model, session, panels);
    if (result.computed)
        return result;
    if (!result.failureLine.empty())
        out.Line(result.failureLine);
    else
        ReportError(session.problemFile + ": "
                    + (result.refusal.empty() ? "the computation failed" : result.refusal));
    return std::nullopt;
}

bool HasCoefficients(const std::string& path, const ProblemModel& model)
{
    if (!model.IsComputed())
        ReportError(path + ": holds no coefficients (run 'tavex-cli compute' first)");
    return model.IsComputed();
}

} // namespace tavex::cli
