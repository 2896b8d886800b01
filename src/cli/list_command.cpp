// list: the listing of the stored coefficients.
#include "command_support.h"
#include "commands.h"
#include "io/coefficient_listing.h"
#include "output.h"

namespace tavex::cli {

int RunList(Arguments arguments)
{
    std::string path;
    ProblemModel model;
    OpenedEntries entries;
    if (const std::optional<int> status = OpenOnlyProblem("list", arguments, path, model, entries))
        return *status;
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
