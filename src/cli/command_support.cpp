#include "command_support.h"

#include "io/coefficient_listing.h"
#include "io/problem_files.h"
#include "output.h"
#include "spec/read_specs.h"
#include "spec/shown_specs.h"

#include <cassert>
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

bool OpenProblem(const std::string& path, ProblemModel& model, OpenedEntries& entries)
{
    const FileOutcome outcome = OpenProblemFiles(model, path, entries);
    if (!outcome.ok)
        ReportError(outcome.message);
    return outcome.ok;
}

std::optional<int> OpenOnlyProblem(std::string_view command, Arguments arguments, std::string& path,
                                   ProblemModel& model, OpenedEntries& entries)
{
    if (ShowHelpIfAsked(command, arguments))
        return kExitDone;
    if (arguments.size() != 1)
        return UsageError(command, "expects one PROBLEM file");
    path = std::string(arguments[0]);
    if (!OpenProblem(path, model, entries))
        return kExitError;
    return std::nullopt;
}

void ReadSpecsAfterOpen(ProblemModel& model, const OpenedEntries& entries)
{
    // The panels as Open leaves them: what SetDisplayedSpecs shows, and the
    // center and period texts of the file.
    const ShownSpecs shown = SetDisplayedSpecs(model);
    Panels panels;
    for (int k = 0; k <= model.lastVar; ++k) {
        const auto s = static_cast<std::size_t>(k);
        const ShownPanel& show = shown.panels[s];
        panels[s].lowerLimit = show.lowerLimit;
        panels[s].upperLimit = show.upperLimit;
        panels[s].valueCount = show.valueCount;
        panels[s].powerChecked = show.powerChecked;
        panels[s].spacedChecked = show.spacedChecked;
        panels[s].center = entries.centerText[s];
        panels[s].period = entries.periodText[s];
    }
    // An opened problem has at least two values per variable, which is all
    // ReadSpecs asks of the count entries.
    [[maybe_unused]] const bool read = ReadSpecs(model, panels);
    assert(read);
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
    const CoefficientListing listing(model);
    for (std::size_t row = 0; row < listing.LineCount(); ++row)
        out.Line(listing.Line(row));
    return FinishOutput(out);
}

bool HasCoefficients(const std::string& path, const ProblemModel& model)
{
    if (!model.isComputed)
        ReportError(path + ": holds no coefficients (run 'tavex-cli compute' first)");
    return model.isComputed;
}

} // namespace tavex::cli
