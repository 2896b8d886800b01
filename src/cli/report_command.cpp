// report: the lines Print sends to the printer right after an open.
#include "command_support.h"
#include "commands.h"
#include "io/report_lines.h"
#include "output.h"

namespace tavex::cli {

int RunReport(Arguments arguments)
{
    std::string path;
    ProblemModel model;
    OpenedEntries entries;
    if (const std::optional<int> status = OpenOnlyProblem("report", arguments, path, model, entries))
        return *status;
    // Print refreshes the model from the window first.
    ReadSpecsAfterOpen(model, entries);
    LineWriter out(stdout);
    PrintReport(model, [&out](std::string_view line) { out.Line(line); });
    return FinishOutput(out);
}

} // namespace tavex::cli
