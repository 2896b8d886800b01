// list: the listing of the stored coefficients.
#include "command_support.h"
#include "commands.h"
#include "io/coefficient_listing.h"
#include "output.h"

namespace tavex::cli {

int RunList(Arguments arguments)
{
    if (ShowHelpIfAsked("list", arguments))
        return kExitDone;
    if (arguments.size() != 1)
        return UsageError("list", "expects one PROBLEM file");
    const std::string path(arguments[0]);

    ProblemModel model;
    OpenedEntries entries;
    if (!OpenProblem(path, model, entries))
        return kExitError;
    if (!HasCoefficients(path, model))
        return kExitNoResult;
    LineWriter out(stdout);
    const CoefficientListing listing(model);
    for (std::size_t row = 0; row < listing.LineCount(); ++row)
        out.Line(listing.Line(row));
    if (!out.Flush()) {
        ReportError("cannot write to standard output");
        return kExitError;
    }
    return kExitDone;
}

} // namespace tavex::cli
