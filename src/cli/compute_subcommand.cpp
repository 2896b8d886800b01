// compute: Open, the compute command, Save, the listing.
#include "command_support.h"
#include "commands.h"
#include "commands/compute_command.h"
#include "commands/file_commands.h"
#include "output.h"

namespace tavex::cli {

int RunCompute(Arguments arguments)
{
    std::string path;
    ProblemModel model;
    ShownSpecs shown;
    if (const std::optional<int> status = OpenOnlyProblem("compute", arguments, path, model, shown))
        return *status;

    // The panels as the window shows them right after the open.
    const Panels panels = command::PanelsOf(shown);
    Session session;
    session.problemFile = path;
    LineWriter out(stdout);
    if (!ComputeOpened(model, session, panels, out))
        return kExitNoResult;

    // Save refreshes the model from the panels once more, which reads the
    // same entries to the same numbers; the lists it regenerates are unchanged.
    const FileOutcome saved = command::Save(model, session, panels, path).outcome;
    if (!saved.ok) {
        ReportError(saved.message);
        return kExitError;
    }

    return WriteListing(out, model);
}

} // namespace tavex::cli
