// diagnose: Open, the compute command without Save, the fit figures.
#include "command_support.h"
#include "commands.h"
#include "commands/compute_command.h"
#include "commands/file_commands.h"
#include "model/number_text.h"
#include "output.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace tavex::cli {

namespace {

// The length of the UTF-8 sequence that starts text[at], or 0 when none does.
std::size_t Utf8SequenceAt(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    const std::size_t length = lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
    if (length == 0 || at + length > text.size())
        return 0;
    for (std::size_t i = at + 1; i < at + length; ++i)
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
    // Overlong forms and surrogates are not UTF-8 either.
    const unsigned char second = byte(at + 1);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) || (lead == 0xF0 && second < 0x90)
        || (lead == 0xF4 && second >= 0x90))
        return 0;
    return length;
}

// A JSON string. Names are bytes from a file: UTF-8 passes as it is, any
// other byte above 127 is read as Latin-1, so the output is always valid.
std::string JsonString(std::string_view text)
{
    std::string json = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F || (c >= 0x80 && Utf8SequenceAt(text, i) == 0)) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            json += escaped;
        } else if (c >= 0x80) {
            const std::size_t length = Utf8SequenceAt(text, i);
            json.append(text.substr(i, length));
            i += length;
            continue;
        } else {
            json += static_cast<char>(c);
        }
        ++i;
    }
    return json + "\"";
}

// The standard text of a number, which JSON reads as it is; null when it is not finite.
std::string JsonNumber(double value)
{
    return std::isfinite(value) ? TextOfNumber(value) : "null";
}

void WriteLines(LineWriter& out, const FitFigures& figures)
{
    for (const VariableFit& variable : figures.variables)
        out.Line(variable.name + " condition " + TextOfNumber(variable.condition) + " digits "
                 + TextOfNumber(variable.digitsLost));
    out.Line("reproduction " + TextOfNumber(figures.reproduction));
}

void WriteJson(LineWriter& out, const FitFigures& figures)
{
    std::string json = "{\"variables\": [";
    for (std::size_t i = 0; i < figures.variables.size(); ++i) {
        const VariableFit& variable = figures.variables[i];
        json += (i == 0 ? "" : ", ") + std::string("{\"name\": ") + JsonString(variable.name)
              + ", \"condition\": " + JsonNumber(variable.condition)
              + ", \"digits_lost\": " + JsonNumber(variable.digitsLost) + "}";
    }
    json += "], \"reproduction\": " + JsonNumber(figures.reproduction) + "}";
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
    const std::string path(files[0]);
    ProblemModel model;
    ShownSpecs shown;
    if (!OpenProblem(path, model, shown))
        return kExitError;

    // The panels as the window shows them right after the open; nothing is saved.
    const Panels panels = command::PanelsOf(shown);
    Session session;
    session.problemFile = path;
    const command::ComputeResult result = command::Compute(model, session, panels);
    LineWriter out(stdout);
    if (!result.computed) {
        if (!result.failureLine.empty())
            out.Line(result.failureLine);
        else
            ReportError(path + ": " + (result.refusal.empty() ? "the computation failed" : result.refusal));
        return kExitNoResult;
    }
    if (!result.figures) {
        ReportError(path + ": not enough memory to measure the fit");
        return kExitNoResult;
    }
    if (json)
        WriteJson(out, *result.figures);
    else
        WriteLines(out, *result.figures);
    return FinishOutput(out);
}

} // namespace tavex::cli
