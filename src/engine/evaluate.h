#pragma once

#include "model/problem_model.h"

#include <optional>

namespace tavex {

// The value of the expansion at the point whose offsets from the centers
// (x - center of each variable) are evalDx; no value while isComputed is false.
//
// The sum is nested, variable 3 outermost and variable 0 innermost; each level
// takes S = sum over j of phi_j * inner(j): a polynomial variable by Horner's
// scheme over descending j (S = S * d + inner(j)), a trigonometric one over
// ascending j with the running angle built by repeated addition
// (S = inner(j) * cos or sin(angle) + S). A trigonometric variable's offset
// becomes its angle ((atan(1) * dx) * 8) / period first.
//
// A trigonometric variable with period 0 gives NaN: no finite value is
// passed off as the answer.
std::optional<double> Evaluate(const ProblemModel& model, PerVariable<double> evalDx);

// The steps of Evaluate that EvaluateMany takes point by point, shared so
// that both give the same bits.

// Whether a trigonometric variable in use has period 0 (every value is then NaN).
bool HasZeroPeriod(const ProblemModel& model);

// What each level of the nested sum works with: the offset of a polynomial
// variable, the angle ((atan(1) * dx) * 8) / period of a trigonometric one.
PerVariable<double> LevelArguments(const ProblemModel& model, PerVariable<double> evalDx);
// The angle of one trigonometric offset, as LevelArguments forms it.
double AngleOfOffset(double dx, double period);

// The weights of a trigonometric level with upper index m, weights[0..m] =
// cos 0, sin t, cos t, sin 2t, ..., exactly as the running angle meets them.
void TrigonometricWeights(double angle, int m, double* weights);

} // namespace tavex
