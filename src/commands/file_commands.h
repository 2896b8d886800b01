#pragma once

#include "io/text/file_outcome.h"
#include "model/problem_model.h"
#include "setup/panel_texts.h"
#include "setup/session.h"
#include "setup/shown_specs.h"

#include <string>

namespace tavex::command {

struct OpenResult {
    FileOutcome outcome;
    // What the window shows of the problem read: SetDisplayedSpecs, with the
    // center and period entries as the file gives them.
    ShownSpecs shown;
};

// File > Open: both files read whole before the problem read replaces the
// current one and problemFile becomes path, or the problem file of the pair
// when path is its data file (ProblemFileFor); on failure nothing changes and
// the outcome says why.
OpenResult Open(ProblemModel& model, Session& session, const std::string& path);

// The panels as an open leaves them on the window.
Panels PanelsOf(const ShownSpecs& shown);

inline constexpr char kSavedWithoutCoefficients[] =
    "Saved without the coefficients: the variables or the table changed after they were computed.";

struct SaveResult {
    FileOutcome outcome;
    // What the window tells of a save that succeeded: empty, or
    // kSavedWithoutCoefficients.
    std::string note;
};

// Save and Save As, once the name is chosen: ReadSpecs from the panels, then
// both files under path; problemFile becomes path once they are written and
// the problem counts as unmodified. Coefficients that are out of date are not
// saved: the pair is written as not computed, specs and table as they stand.
// A refusal or failure changes no file.
SaveResult Save(ProblemModel& model, Session& session, const Panels& panels, const std::string& path);

} // namespace tavex::command
