#include "command_support.h"

#include "io/problem_files.h"
#include "io/star_value.h"
#include "model/number_text.h"
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

bool OpenProblem(const std::string& path, ProblemModel& model, OpenedEntries& entries)
{
    const FileOutcome outcome = OpenProblemFiles(model, path, entries);
    if (!outcome.ok)
        ReportError(outcome.message);
    return outcome.ok;
}

void ReadSpecsAfterOpen(ProblemModel& model, const OpenedEntries& entries)
{
    PerVariable<bool> spaced{};
    for (int k = 0; k <= model.lastVar; ++k) {
        const auto s = static_cast<std::size_t>(k);
        model.lowerLimit[s] = LeadingNumber(TextOfNumber(model.lowerLimit[s]));
        model.upperLimit[s] = LeadingNumber(TextOfNumber(model.upperLimit[s]));
        model.center[s] = IsStarEntry(entries.centerText[s]) ? StarCenter(model.lowerLimit[s], model.upperLimit[s])
                                                             : LeadingNumber(entries.centerText[s]);
        model.period[s] = IsStarEntry(entries.periodText[s]) ? StarPeriod(model.piValue)
                                                             : LeadingNumber(entries.periodText[s]);
        model.isTrigonometric[s] = !model.isPolynomial[s];
        model.valueStep[s] = (model.upperLimit[s] - model.lowerLimit[s]) / model.valueUpper[s];
        spaced[s] = model.isEquallySpaced[s];
    }
    model.RegenerateSpacedValues(spaced);
}

} // namespace tavex::cli
