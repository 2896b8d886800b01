#pragma once

#include "model/problem_model.h"
#include "setup/panel_texts.h"

#include <string>

namespace tavex {

struct SpecsRead {
    bool read = false;
    std::string refusal; // why nothing changed, when not read

    explicit operator bool() const { return read; }
};

// Copies the panels of variables 0..lastVar into the model: limits, value
// counts, center ("*": the middle of the interval), period ("*": 2 pi), kind
// and spacing; then the steps, then the equally spaced value lists are
// regenerated. coef is left alone; when what was read differs from what the
// model held, the problem is edited (ProblemModel::MarkEdited) and
// coefficients computed before are out of date, unless only the spacing
// flags changed, which leave the values and the coefficients as they were.
//
// An implicit list (valuesExplicit false) stands for equally spaced values,
// so it is generated also when its "Equally spaced" box was unticked: no
// reader then meets a list shorter than its count.
//
// Refused, with nothing changed, when a count box reads fewer than two
// values or more than the tables hold (its box was never left, so the tables
// were not shaped for it), or when an explicit list holds fewer values than
// its count and is not to be generated: every reader of the model relies on these.
SpecsRead ReadSpecs(ProblemModel& model, const Panels& panels);

} // namespace tavex
