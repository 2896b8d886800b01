#include "commands/file_commands.h"

#include "io/problem/problem_file_reader.h"
#include "io/problem/problem_files.h"
#include "setup/read_specs.h"

#include <cassert>
#include <utility>

namespace tavex::command {

OpenResult Open(ProblemModel& model, Session& session, const std::string& path)
{
    OpenResult result;
    OpenedEntries entries;
    std::string problemFile = ProblemFileFor(path);
    result.outcome = OpenProblemFiles(model, problemFile, entries);
    if (!result.outcome.ok)
        return result;
    model.MarkSaved();
    session.problemFile = std::move(problemFile);
    result.shown = SetDisplayedSpecs(model);
    for (int k = 0; k <= model.lastVar; ++k) {
        const auto s = static_cast<std::size_t>(k);
        result.shown.panels[s].center = entries.centerText[s];
        result.shown.panels[s].period = entries.periodText[s];
    }
    return result;
}

Panels PanelsOf(const ShownSpecs& shown)
{
    assert(shown.panels.size() <= static_cast<std::size_t>(kMaxVariables));
    Panels panels;
    for (std::size_t s = 0; s < shown.panels.size(); ++s) {
        const ShownPanel& show = shown.panels[s];
        PanelTexts& panel = panels[s];
        panel.lowerLimit = show.lowerLimit;
        panel.upperLimit = show.upperLimit;
        panel.center = show.center.value_or(panel.center);
        panel.period = show.period.value_or(panel.period);
        panel.valueCount = show.valueCount;
        panel.powerChecked = show.powerChecked;
        panel.spacedChecked = show.spacedChecked;
    }
    return panels;
}

SaveResult Save(ProblemModel& model, Session& session, const Panels& panels, const std::string& path)
{
    SaveResult result;
    if (const SpecsRead read = ReadSpecs(model, panels); !read) {
        result.outcome = FileOutcome::Failure(read.refusal + " Nothing was saved.");
        return result;
    }
    // The files keep coefficients only beside the specs and the table they
    // were solved from: out-of-date ones are left out, never written as valid.
    result.outcome = SaveProblemFiles(model, path);
    if (!result.outcome.ok)
        return result;
    session.problemFile = path;
    model.MarkSaved();
    if (model.ResultsState() == Results::OutOfDate)
        result.note = kSavedWithoutCoefficients;
    return result;
}

} // namespace tavex::command
