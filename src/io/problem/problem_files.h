#pragma once

#include "io/text/file_outcome.h"
#include "io/problem/problem_file_reader.h"
#include "model/problem_model.h"

#include <string>

namespace tavex {

// Open: reads the problem file at `path` and its data file into a fresh
// model and, only when both were read whole, makes it the current problem
// and fills `entries`
// with the center and period texts for the window. On failure the model and
// entries are untouched and the message names the file and the line.
FileOutcome OpenProblemFiles(ProblemModel& model, const std::string& path, OpenedEntries& entries);

// Save: writes the problem file at `path` and its data file, each to a
// temporary file beside it, then renames both over the old ones; on success
// storedValueUpper takes the counts written. On failure both old files stay
// as they were, the model is unchanged, and the message names the file and
// the reason. The caller refreshes the model from the window first.
FileOutcome SaveProblemFiles(ProblemModel& model, const std::string& path);

} // namespace tavex
