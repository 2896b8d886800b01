// integrate: the definite integral of the stored expansion over a box, or its mean value.
#include "command_support.h"
#include "commands.h"
#include "commands/calculus_command.h"
#include "engine/integral.h"
#include "model/number_text.h"
#include "output.h"

#include <vector>

namespace tavex::cli {

int RunIntegrate(Arguments arguments)
{
    if (ShowHelpIfAsked("integrate", arguments))
        return kExitDone;
    std::vector<std::string_view> sides;
    std::vector<std::string_view> files;
    bool mean = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--over") {
            if (i + 1 == arguments.size())
                return UsageError("integrate", "--over expects NAME=A:B");
            sides.push_back(arguments[++i]);
        } else if (argument == "--mean") {
            mean = true;
        } else if (argument.size() > 1 && argument.front() == '-') {
            return UsageError("integrate", "unknown option '" + std::string(argument) + "'");
        } else {
            files.push_back(argument);
        }
    }
    if (files.size() != 1)
        return UsageError("integrate", "expects one PROBLEM file");

    std::string path(files.front());
    ProblemModel model;
    ShownSpecs shown;
    if (!OpenProblem(path, model, shown))
        return kExitError;
    if (!HasCoefficients(path, model))
        return kExitNoResult;
    IntegrationBox box = VariableIntervals(model);
    for (const std::string_view side : sides)
        if (const std::optional<std::string> refusal = command::ReadIntegrationSide(model, side, box))
            return UsageError("integrate", "--over: " + *refusal);

    const double value = (mean ? MeanValue(model, box) : Integrate(model, box)).value();
    LineWriter out(stdout);
    out.Line(TextOfNumber(value));
    return FinishOutput(out);
}

} // namespace tavex::cli
