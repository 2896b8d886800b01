// import: a table file made a problem pair, as File > Import table... and Save would.
#include "command_support.h"
#include "commands.h"
#include "commands/file_commands.h"
#include "commands/import_command.h"
#include "output.h"

#include <string>
#include <vector>

namespace tavex::cli {

namespace {

constexpr std::string_view kCommand = "import";

// The options after their flags: --trig NAME, --center NAME=VALUE, --period
// NAME=VALUE, each as often as wanted; the other arguments are the files.
struct ImportArguments {
    TableImportOptions options;
    std::vector<std::string> files;
    std::string fault; // why the arguments cannot be taken; empty when they can
};

ImportArguments ReadArguments(Arguments arguments)
{
    ImportArguments read;
    for (std::size_t i = 0; i < arguments.size() && read.fault.empty(); ++i) {
        const std::string_view word = arguments[i];
        const bool trig = word == "--trig";
        if (!trig && word != "--center" && word != "--period") {
            if (word.starts_with("--"))
                read.fault = "unknown option " + std::string(word);
            else
                read.files.emplace_back(word);
            continue;
        }
        if (i + 1 == arguments.size()) {
            read.fault = std::string(word) + (trig ? " expects a NAME" : " expects NAME=VALUE");
            continue;
        }
        const std::string_view value = arguments[++i];
        if (trig) {
            read.options.trigonometric.emplace_back(value);
            continue;
        }
        const std::size_t equals = value.find('=');
        if (equals == std::string_view::npos || equals == 0) {
            read.fault = std::string(word) + " expects NAME=VALUE, not \"" + std::string(value) + "\"";
            continue;
        }
        auto& entries = word == "--center" ? read.options.centers : read.options.periods;
        entries[std::string(value.substr(0, equals))] = std::string(value.substr(equals + 1));
    }
    if (read.fault.empty() && read.files.size() != 2)
        read.fault = "expects a TABLEFILE and a PROBLEM file";
    return read;
}

} // namespace

int RunImport(Arguments arguments)
{
    if (ShowHelpIfAsked(kCommand, arguments))
        return kExitDone;
    const ImportArguments read = ReadArguments(arguments);
    if (!read.fault.empty())
        return UsageError(kCommand, read.fault);

    ProblemModel model;
    Session session;
    const command::OpenResult imported = command::ImportTable(model, session, read.files[0], read.options);
    if (!imported.outcome.ok) {
        ReportError(imported.outcome.message);
        return kExitError;
    }
    // Saved as the window would save it right after the import.
    const FileOutcome saved = command::Save(model, session, command::PanelsOf(imported.shown), read.files[1]).outcome;
    if (!saved.ok) {
        ReportError(saved.message);
        return kExitError;
    }
    return kExitDone;
}

} // namespace tavex::cli
