#pragma once

#include "engine/kinds/basis_kind.h"
#include "model/problem_model.h"

#include <vector>

namespace tavex {

// What the engine reads of one variable: every engine file reads the model's
// variables through BasisOf alone.
struct VariableBasis {
    const BasisKind* kind = nullptr;
    double center = 0.0;
    double period = 0.0;
    const std::vector<double>* values = nullptr; // at least count of them for a variable in use
    int count = 1;                               // basis functions: the upper index + 1
    bool inUse = false;                          // among 0..lastVar

    // What a level of the evaluation takes at coordinate x; a variable not in
    // use takes 0, whatever its coordinate holds.
    double Argument(double x) const { return inUse ? kind->Argument(x, center, period) : 0.0; }
    // A period of 0 makes every value NaN.
    bool ZeroPeriod() const { return kind->HasPeriod() && period == 0.0; }
};

// Variable v of the model, 0..kMaxVariables-1. One beyond lastVar is a single
// power: weight 1, nothing to solve.
VariableBasis BasisOf(const ProblemModel& model, int v);

// Whether a variable in use has a period of 0.
bool HasZeroPeriod(const ProblemModel& model);

} // namespace tavex
