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
// funTable, then Compute with the panels' "Equally spaced" boxes; measuring
// the fit too unless the caller measures it later (FitMeasurement).
ComputeResult Compute(ProblemModel& model, const Session& session, const Panels& panels, bool measureFit = true);

// The fit figures of the coefficients a model holds, measured on a snapshot
// of it that another thread may use while the model goes on being edited:
// the snapshot shares the tables until either side writes to them.
class FitMeasurement final {
public:
    explicit FitMeasurement(const ProblemModel& model);
    // Nothing when the model holds no current coefficients or the memory
    // does not allow the measuring. threads: 0 for all the machine has.
    std::optional<FitFigures> Run(int threads = 0) const;

private:
    ProblemModel snapshot_;
};

} // namespace tavex::command
