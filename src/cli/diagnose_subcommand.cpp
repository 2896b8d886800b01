// diagnose: Open, the compute command without Save, the fit figures.
#include "command_support.h"
#include "commands.h"
#include "commands/compute_command.h"
#include "commands/file_commands.h"
#include "io/text/json_text.h"
#include "model/number_text.h"
#include "output.h"

#include <cmath>
#include <vector>

namespace tavex::cli {

namespace {

std::string JsonString(std::string_view text)
{
    std::string json;
    AppendJsonString(json, text);
    return json;
}

// The standard text of a number, which JSON reads as it is; null when it is not finite.
std::string JsonNumber(double value)
{
    return std::isfinite(value) ? TextOfNumber(value) : "null";
}

void WriteLines(LineWriter& out, const FitFigures& figures)
{
    for (const VariableFit& variable : figures.variables) {
        out.Line(variable.name + " condition " + TextOfNumber(variable.condition) + " digits "
                 + TextOfNumber(variable.digitsLost));
        out.Line(variable.name + " scaled_condition " + TextOfNumber(variable.scaledCondition) + " scaled_digits "
                 + TextOfNumber(variable.scaledDigitsLost));
        if (!variable.singularity.empty())
            out.Line(variable.name + " singularity " + variable.singularity);
    }
    out.Line("reproduction " + TextOfNumber(figures.reproduction));
    out.Line("swing " + (figures.swing ? TextOfNumber(*figures.swing) : std::string("none")));
    out.Line(std::string("warning ") + (command::FitNeedsWarning(figures) ? "yes" : "no"));
}

void WriteJson(LineWriter& out, const FitFigures& figures)
{
    std::string json = "{\"variables\": [";
    for (std::size_t i = 0; i < figures.variables.size(); ++i) {
        const VariableFit& variable = figures.variables[i];
        json += (i == 0 ? "" : ", ") + std::string("{\"name\": ") + JsonString(variable.name)
              + ", \"condition\": " + JsonNumber(variable.condition)
              + ", \"digits_lost\": " + JsonNumber(variable.digitsLost)
              + ", \"scaled_condition\": " + JsonNumber(variable.scaledCondition)
              + ", \"scaled_digits_lost\": " + JsonNumber(variable.scaledDigitsLost)
              + ", \"singularity\": " + JsonString(variable.singularity) + "}";
    }
    json += "], \"reproduction\": " + JsonNumber(figures.reproduction)
          + ", \"swing\": " + (figures.swing ? JsonNumber(*figures.swing) : std::string("null"))
          + ", \"warning\": " + (command::FitNeedsWarning(figures) ? "true" : "false") + "}";
    out.Line(json);
}

} // namespace

int RunDiagnose(Arguments arguments)
{
    if (ShowHelpIfAsked("diagnose", arguments))
        return kExitDone;
    // --json may stand before or after PROBLEM.
    bool json = false;
    std::vector<std::string_view> files;
    for (const std::string_view argument : arguments) {
        if (argument == "--json")
            json = true;
        else
            files.push_back(argument);
    }
    if (files.size() != 1)
        return UsageError("diagnose", "expects one PROBLEM file");
    std::string path(files[0]);
    ProblemModel model;
    ShownSpecs shown;
    if (!OpenProblem(path, model, shown))
        return kExitError;

    // The panels as the window shows them right after the open; nothing is saved.
    const Panels panels = command::PanelsOf(shown);
    Session session;
    session.problemFile = path;
    LineWriter out(stdout);
    const std::optional<command::ComputeResult> result = ComputeOpened(model, session, panels, out);
    if (!result)
        return kExitNoResult;
    if (!result->figures) {
        ReportError(path + ": not enough memory to measure the fit");
        return kExitNoResult;
    }
    if (json)
        WriteJson(out, *result->figures);
    else
        WriteLines(out, *result->figures);
    return FinishOutput(out);
}

} // namespace tavex::cli
