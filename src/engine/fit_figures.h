#pragma once

#include "engine/lu_factors.h"
#include "model/problem_model.h"

#include <optional>
#include <string>
#include <vector>

namespace tavex {

// How far a computed fit can be trusted.
//
// A variable whose basis matrix has 1-norm condition number c may lose about
// log10(c) of the 16 decimal digits a double holds: its coefficients are only
// as good as that. The plain condition grows with the units of x (the powers
// of a variable running to 100 reach 1E+10 where those of one running to 1
// stay near 1), so what is lost is read from the scaled condition, that of
// the basis with every function scaled to a largest magnitude of 1 over the
// values. The reproduction figure says what the coefficients give back:
// max |table rebuilt from them - table| / max |table| over the grid; after a
// pivoted solve it is tiny even when the expansion runs wild between the
// values, which the swing shows.
struct VariableFit {
    std::string name;        // as the problem names it; empty when it has none
    double condition = 0.0;  // an estimate of ||B||_1 ||B^-1||_1; +inf when B is singular or not finite
    double digitsLost = 0.0; // max(0, log10(condition)); +inf with the condition
    double scaledCondition = 0.0;  // the same for B D, D = diag(1 / max_i |B_ij|)
    double scaledDigitsLost = 0.0; // max(0, log10(scaledCondition)): the digits the coefficients may lose
    // Why B is singular in exact arithmetic, with what to do about it
    // (BasisSingularity); empty when it is not.
    std::string singularity;

    friend bool operator==(const VariableFit&, const VariableFit&) = default;
};

struct FitFigures {
    std::vector<VariableFit> variables; // 0..lastVar
    // 0 for a table of zeros reproduced as zeros; +inf when a rebuilt value
    // or a difference is not finite (overflow, NaN) or a table of zeros is
    // not reproduced as zeros. Never NaN.
    double reproduction = 0.0;
    // max |expansion| over the midpoints of the grid's cells / max |table|
    // (MeasureSwing): near 1 for an expansion that follows the table, far
    // above it for one that oscillates between the values. Nothing for a
    // table of zeros; +inf when a value is not finite.
    std::optional<double> swing;

    // Every figure the same (the figures are never NaN).
    friend bool operator==(const FitFigures&, const FitFigures&) = default;
};

// The figures of the fit Compute has just made: coef holds the coefficients
// of funTable, and factors[i] is the factorisation of variable i's basis
// matrix that the solve used, for i = 0..lastVar. The basis matrices are built
// again, to the same bits. Nothing when the memory runs out, or when the
// rebuild needs a working table as large as the table (three variables or
// more, or two with many values) and the three tables would not fit in
// the share the two have (MemoryShareBytes). The figures do not depend on
// `threads` (0: all the machine has).
std::optional<FitFigures> MeasureFit(const ProblemModel& model, const std::vector<LuFactors>& factors,
                                     int threads);

// The same figures for coefficients whose factors are not at hand (a problem
// read from a file with them): the basis matrices are factored here, as
// Compute factors them. Nothing besides when the matrices and their factors
// would not fit in their memory share.
std::optional<FitFigures> MeasureFit(const ProblemModel& model, int threads);

} // namespace tavex
