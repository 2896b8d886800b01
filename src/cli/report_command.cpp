// report: the lines Print sends to the printer right after an open.
#include "command_support.h"
#include "commands.h"
#include "io/report_lines.h"
#include "output.h"

namespace tavex::cli {

int RunReport(Arguments arguments)
{
    if (ShowHelpIfAsked("report", arguments))
        return kExitDone;
    if (arguments.size() != 1)
        return UsageError("report", "expects one PROBLEM file");
    const std::string path(arguments[0]);

    ProblemModel model;
    OpenedEntries entries;
    if (!OpenProblem(path, model, entries))
        return kExitError;
    // Print refreshes the model from the window first.
    ReadSpecsAfterOpen(model, entries);
    LineWriter out(stdout);
    PrintReport(model, [&out](std::string_view line) { out.Line(line); });
    if (!out.Flush()) {
        ReportError("cannot write to standard output");
        return kExitError;
    }
    return kExitDone;
}

} // namespace tavex::cli
