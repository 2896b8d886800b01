#pragma once

#include "engine/kernels/line_kernels.h"
#include "engine/square_matrix.h"
#include "model/problem_model.h"

#include <vector>

namespace tavex {

// The basis matrix of every variable 0..lastVar, as Compute builds them.
std::vector<SquareMatrix> BasisMatrices(const ProblemModel& model, int threads);

// Whether a working table of `count` values (0: too many to count) may be
// made beside the two tables: the three stay within the tables' memory share.
bool WorkingTableFits(std::size_t count);

// The reproduction figure of the coefficients in model.coef against
// model.funTable, over the counts: the coefficient table multiplied by every
// variable's basis matrix along its index, compared with the function table.
// The figure is the same for every thread count and instruction set. Throws
// std::bad_alloc when the working table does not fit (see MeasureFit).
double MeasureReproduction(const ProblemModel& model, int threads, KernelIsa isa = BestKernelIsa());
// With the basis matrices already built.
double MeasureReproduction(const ProblemModel& model, const std::vector<SquareMatrix>& bases, int threads,
                           KernelIsa isa = BestKernelIsa());

} // namespace tavex
