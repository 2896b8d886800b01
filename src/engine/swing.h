#pragma once

#include "engine/kernels/line_kernels.h"
#include "model/problem_model.h"

#include <optional>

namespace tavex {

// How far the expansion in model.coef strays between the grid points, where
// the reproduction figure cannot see: max |expansion| over the midpoints of
// the grid's cells divided by max |funTable| over the grid. Each variable
// takes the midpoints between its sorted values (its one value when it has
// one). Nothing for a table of zeros; +inf when a value is not finite.
//
// The coefficient table is multiplied along each variable by the matrix of
// its basis functions at its midpoints, formed as Evaluate forms them
// (powers by repeated multiplication, angles by repeated addition); every
// value is a sum over ascending j from +0, so the figure is the same for
// every thread count and instruction set. Throws std::bad_alloc when the
// working table (three variables or more) does not fit beside the two tables
// (WorkingTableFits).
std::optional<double> MeasureSwing(const ProblemModel& model, int threads, KernelIsa isa = BestKernelIsa());

} // namespace tavex
