#pragma once

#include "engine/kernels/line_kernels.h"
#include "model/problem_model.h"

#include <optional>
#include <span>
#include <vector>

namespace tavex {

struct EvaluateManyOptions {
    int threads = 0;     // up to this many threads; 0: all the machine has
    int batchPoints = 0; // points that share one pass over the coefficients; 0: the size measured best
    KernelIsa isa = BestKernelIsa(); // every instruction set gives the same values
};

// The value of the expansion at each point, given by its coordinates as
// Evaluate takes them: value i is bit for bit Evaluate(model, points[i]), NaN
// throughout when a trigonometric variable has period 0; nothing while
// isComputed is false.
//
// The points go in batches: a batch reads each line of coefficients once and
// runs the level sums (level_sum.h) of all its points side by
// side, each point by the very operations of Evaluate. Batches are shared out
// among the threads; no value depends on the threads, the batch size or the instruction set.
std::optional<std::vector<double>> EvaluateMany(const ProblemModel& model,
                                                std::span<const PerVariable<double>> points,
                                                const EvaluateManyOptions& options = {});

} // namespace tavex
