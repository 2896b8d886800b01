#include "io/problem/problem_files.h"

#include "io/problem/problem_file_writer.h"
#include "io/text/replace_files.h"

#include <new>

namespace tavex {

FileOutcome OpenProblemFiles(ProblemModel& model, const std::string& path, OpenedEntries& entries)
{
    OpenedProblem opened;
    FileOutcome outcome = ReadProblemFiles(path, opened);
    if (!outcome.ok)
        return outcome;
    model = std::move(opened.model);
    entries = std::move(opened.entries);
    return outcome;
}

FileOutcome SaveProblemFiles(ProblemModel& model, const std::string& path)
{
    if (path.empty())
        return FileOutcome::Failure("cannot save: no file name");
    if (FileOutcome check = CheckSavable(model, path); !check.ok)
        return check;

    // The data file goes first: should the run end between the two renames,
    // the new data sits beside the old problem file, and where their counts
    // differ opening refuses the pair rather than reading it out of step.
    // The files are written out as they are laid out.
    FileReplacement replacement;
    try {
        const auto writeData = [&model](const TextSink& sink) { WriteDataFile(model, sink); };
        if (FileOutcome staged = replacement.Stage(DataFilePath(path), writeData); !staged.ok)
            return staged;
        const auto writeProblem = [&model](const TextSink& sink) { WriteProblemFile(model, sink); };
        if (FileOutcome staged = replacement.Stage(path, writeProblem); !staged.ok)
            return staged;
    } catch (const std::bad_alloc&) {
        return FileOutcome::Failure(path + ": cannot save: not enough memory to lay out the files");
    }
    FileOutcome outcome = replacement.Commit();
    if (!outcome.ok)
        return outcome;
    for (int k = 0; k <= model.lastVar; ++k)
        model.Var(k).storedValueUpper = model.Var(k).valueUpper;
    return outcome;
}

} // namespace tavex
