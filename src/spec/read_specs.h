#pragma once

#include "model/problem_model.h"
#include "spec/panel_texts.h"

namespace tavex {

// Copies the panels of variables 0..lastVar into the model: limits, value
// counts, center ("*": the middle of the interval), period ("*": 2 pi), kind
// and spacing; then the steps, then the equally spaced value lists are
// regenerated. coef and isComputed are left alone.
//
// The count boxes' own check guarantees at least two values; a panel that
// reads fewer (its box was never left) makes ReadSpecs refuse and change
// nothing, since a list of one value has no step.
bool ReadSpecs(ProblemModel& model, const Panels& panels);

} // namespace tavex
