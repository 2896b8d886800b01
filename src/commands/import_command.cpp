#include "commands/import_command.h"

#include "io/problem/problem_file_reader.h"

namespace tavex::command {

OpenResult ImportTable(ProblemModel& model, Session& session, const std::string& path,
                       const TableImportOptions& options)
{
    OpenResult result;
    OpenedProblem imported;
    result.outcome = ReadTable(path, options, imported);
    if (!result.outcome.ok)
        return result;
    model = std::move(imported.model);
    model.MarkSaved(); // what the table holds is not lost on leaving it
    session.problemFile.clear();
    result.shown = SetDisplayedSpecs(model);
    for (int k = 0; k <= model.lastVar; ++k) {
        const auto s = static_cast<std::size_t>(k);
        result.shown.panels[s].center = std::move(imported.entries.centerText[s]);
        result.shown.panels[s].period = std::move(imported.entries.periodText[s]);
    }
    return result;
}

} // namespace tavex::command
