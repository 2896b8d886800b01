// compute: Open, the compute command, Save, the listing.
#include "command_support.h"
#include "commands.h"
#include "engine/compute.h"
#include "io/problem_files.h"
#include "output.h"

namespace tavex::cli {

int RunCompute(Arguments arguments)
{
    std::string path;
    ProblemModel model;
    OpenedEntries entries;
    if (const std::optional<int> status = OpenOnlyProblem("compute", arguments, path, model, entries))
        return *status;

    ReadSpecsAfterOpen(model, entries);
    model.coef = model.funTable;
    model.isComputed = false;
    const PerVariable<bool> spaced = model.isEquallySpaced;
    const ComputeOutcome outcome = Compute(model, spaced);
    LineWriter out(stdout);
    if (!outcome.succeeded) {
        if (outcome.failureLine.empty()) {
            ReportError(path + ": the computation failed");
        } else {
            out.Line(outcome.failureLine);
        }
        return kExitNoResult;
    }

    // Save refreshes the model from the window once more, which reads the
    // same entries to the same numbers; the lists it regenerates are unchanged.
    const FileOutcome saved = SaveProblemFiles(model, path);
    if (!saved.ok) {
        ReportError(saved.message);
        return kExitError;
    }

    return WriteListing(out, model);
}

} // namespace tavex::cli
