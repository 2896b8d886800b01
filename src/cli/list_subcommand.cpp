// list: the listing of the stored coefficients.
#include "command_support.h"
#include "commands.h"
#include "output.h"

namespace tavex::cli {

int RunList(Arguments arguments)
{
    std::string path;
    ProblemModel model;
    ShownSpecs shown;
    if (const std::optional<int> status = OpenOnlyProblem("list", arguments, path, model, shown))
        return *status;
    if (!HasCoefficients(path, model))
        return kExitNoResult;
    LineWriter out(stdout);
    return WriteListing(out, model);
}

} // namespace tavex::cli
