#pragma once

#include "engine/fit_figures.h"
#include "model/problem_model.h"

#include <optional>
#include <string>

namespace tavex {

inline constexpr char kSingularLine[] = "YIELDS SINGULAR MATRIX.";
inline constexpr char kOverflowLine[] = "YIELDS NUMERICAL OVERFLOW.";

inline constexpr char kOutOfMemoryLine[] = "NOT ENOUGH MEMORY.";
// Counts, lists and tables that disagree: a fault of the program, never of the problem.
inline constexpr char kShapesDisagreeLine[] = "TABLES DO NOT MATCH THE COUNTS.";

// "PERIOD OF <name> IS ZERO.", naming the variable by its name or, before it
// has one, by its number.
std::string ZeroPeriodLine(const ProblemModel& model, int variable);

// "BASIS OF <name> TOO LARGE FOR MEMORY.": a variable's basis matrix holds the
// square of its value count, which can outgrow the machine long before its
// table does.
std::string BasisTooLargeLine(const ProblemModel& model, int variable);

struct ComputeOptions {
    int threads = 0;         // 0: all the machine has
    bool measureFit = false; // also measure the fit: ComputeOutcome::figures
};

struct ComputeOutcome {
    bool succeeded = false;
    // The line the coefficient list shows instead of the coefficients; empty
    // on success and for the failures that show nothing.
    std::string failureLine;
    // On success, when asked for and the memory allows (MeasureFit). Measuring
    // leaves the coefficients bit for bit as they are without it.
    std::optional<FitFigures> figures{};
};

// Turns coef, a copy of the function table, into the coefficients of the
// tensor-product expansion that takes every tabulated value at its grid point.
//
// The equally spaced lists are regenerated first (spacedChecked: the states of
// the "Equally spaced" boxes). Then, for each variable i = 0..lastVar in turn,
// its basis matrix is built and every line of coef along index i is solved
// with it; coef then holds the table times the inverse of every variable's
// matrix, which are the coefficients.
//
// isComputed becomes true only on success. A zero pivot stops the work after
// that variable (coef partly transformed); a trigonometric variable with
// period 0, or a basis matrix larger than the machine's memory, is reported
// before anything is solved; coefficients that are not all finite are
// reported instead of being passed off as a result. With options.measureFit
// a success also measures the fit, reusing the factors (fit_figures.h).
ComputeOutcome Compute(ProblemModel& model, const PerVariable<bool>& spacedChecked,
                       const ComputeOptions& options = {});

} // namespace tavex
