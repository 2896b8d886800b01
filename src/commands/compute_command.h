#pragma once

#include "commands/fit_report.h"
#include "engine/fit_figures.h"
#include "model/problem_model.h"
#include "setup/panel_texts.h"
#include "setup/session.h"

#include <optional>
#include <string>

namespace tavex::command {

struct ComputeResult {
    bool listCleared = false; // the coefficient list is to be emptied (not while a file is opened)
    bool computed = false;    // coef holds the coefficients: list them
    std::string failureLine;  // the list's one line instead, such as "YIELDS SINGULAR MATRIX."
    std::string refusal;      // why nothing was computed, for a message box
    // How far the coefficients can be trusted: set when computed and the
    // memory allowed measuring them.
    std::optional<FitFigures> figures;
};

// The Compute button: ClearResults, ReadSpecs from the panels, coef a copy of
// funTable, then Compute with the panels' "Equally spaced" boxes, measuring
// the fit.
ComputeResult Compute(ProblemModel& model, const Session& session, const Panels& panels);

} // namespace tavex::command
