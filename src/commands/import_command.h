#pragma once

#include "commands/file_commands.h"
#include "io/table/table_import.h"
#include "model/problem_model.h"
#include "setup/session.h"

#include <string>

namespace tavex::command {

// File > Import table...: the table at path read whole (ReadTable) before the
// imported problem replaces the current one. The window then shows it as
// after Open: result.shown, with the center and period entries as imported
// ("*" unless the options give them). problemFile becomes empty, as the
// problem is in no problem file yet: a save asks for a name. On failure
// nothing changes and the outcome says why.
OpenResult ImportTable(ProblemModel& model, Session& session, const std::string& path,
                       const TableImportOptions& options);

} // namespace tavex::command
