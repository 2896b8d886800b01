#include "engine/condition_estimate.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <limits>
#include <vector>

namespace tavex {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kLargest = std::numeric_limits<double>::max();

// The condition estimate. The factors hold P B = L U: row k of P B is row
// rowOrigin[k] of B, L is unit lower triangular, U upper triangular. The
// matrix whose inverse is measured is B D for a diagonal D: (B D)^-1 =
// D^-1 B^-1, given as inverseScale = the diagonal of D^-1, empty for D = I.

// x := B^-1 x.
void SolveWithFactors(const LuFactors& factors, std::vector<double>& x)
{
    const int n = factors.order;
    const SquareMatrix& lu = factors.lu;
    std::vector<double> y(x.size());
    for (int k = 0; k < n; ++k)
        y[static_cast<std::size_t>(k)] = x[static_cast<std::size_t>(factors.rowOrigin[static_cast<std::size_t>(k)])];
    for (int k = 1; k < n; ++k)
        for (int r = 0; r < k; ++r)
            y[static_cast<std::size_t>(k)] -= lu(k, r) * y[static_cast<std::size_t>(r)];
    for (int k = n - 1; k >= 0; --k) {
        double s = 0.0;
        for (int j = k + 1; j < n; ++j)
            s += lu(k, j) * y[static_cast<std::size_t>(j)];
        y[static_cast<std::size_t>(k)] = (y[static_cast<std::size_t>(k)] - s) / lu(k, k);
    }
    x = std::move(y);
}

// x := B^-T x, as B^T = U^T L^T P.
void SolveTransposedWithFactors(const LuFactors& factors, std::vector<double>& x)
{
    const int n = factors.order;
    const SquareMatrix& lu = factors.lu;
    std::vector<double> z(x);
    for (int k = 0; k < n; ++k) {
        double s = 0.0;
        for (int j = 0; j < k; ++j)
            s += lu(j, k) * z[static_cast<std::size_t>(j)];
        z[static_cast<std::size_t>(k)] = (z[static_cast<std::size_t>(k)] - s) / lu(k, k);
    }
    for (int k = n - 1; k >= 0; --k) {
        double s = 0.0;
        for (int j = k + 1; j < n; ++j)
            s += lu(j, k) * z[static_cast<std::size_t>(j)];
        z[static_cast<std::size_t>(k)] -= s;
    }
    for (int k = 0; k < n; ++k)
        x[static_cast<std::size_t>(factors.rowOrigin[static_cast<std::size_t>(k)])] = z[static_cast<std::size_t>(k)];
}

// x := (B D)^-1 x = D^-1 B^-1 x.
void SolveScaled(const LuFactors& factors, const std::vector<double>& inverseScale, std::vector<double>& x)
{
    SolveWithFactors(factors, x);
    for (std::size_t i = 0; i < inverseScale.size(); ++i)
        x[i] *= inverseScale[i];
}

// x := (B D)^-T x = B^-T D^-1 x.
void SolveScaledTransposed(const LuFactors& factors, const std::vector<double>& inverseScale, std::vector<double>& x)
{
    for (std::size_t i = 0; i < inverseScale.size(); ++i)
        x[i] *= inverseScale[i];
    SolveTransposedWithFactors(factors, x);
}

double Norm1(const std::vector<double>& x)
{
    double sum = 0.0;
    for (const double value : x)
        sum += std::fabs(value);
    return sum;
}

std::vector<double> Signs(const std::vector<double>& x)
{
    std::vector<double> signs(x.size());
    std::transform(x.begin(), x.end(), signs.begin(), [](double value) { return value >= 0.0 ? 1.0 : -1.0; });
    return signs;
}

std::size_t LargestMagnitudeAt(const std::vector<double>& x)
{
    std::size_t at = 0;
    for (std::size_t i = 1; i < x.size(); ++i)
        if (std::fabs(x[i]) > std::fabs(x[at]))
            at = i;
    return at;
}

// Hager's search for the column of (B D)^-1 with the largest 1-norm, with
// Higham's refinements as LAPACK's dlacn2 has them: at most five steps, a
// stop when the signs repeat or the estimate stops growing, and a last test
// vector of alternating signs that catches the matrices the search misses.
double EstimateInverseNorm1(const LuFactors& factors, const std::vector<double>& inverseScale)
{
    const int n = factors.order;
    const auto size = static_cast<std::size_t>(n);
    std::vector<double> x(size, 1.0 / n);
    SolveScaled(factors, inverseScale, x);
    if (n == 1)
        return std::fabs(x[0]);
    double estimate = Norm1(x);
    std::vector<double> signs = Signs(x);
    x = signs;
    SolveScaledTransposed(factors, inverseScale, x);
    std::size_t column = LargestMagnitudeAt(x);
    constexpr int kMostSteps = 5;
    for (int step = 2;; ++step) {
        std::fill(x.begin(), x.end(), 0.0);
        x[column] = 1.0;
        SolveScaled(factors, inverseScale, x);
        const double previous = estimate;
        estimate = Norm1(x);
        std::vector<double> nextSigns = Signs(x);
        if (nextSigns == signs || estimate <= previous)
            break;
        signs = std::move(nextSigns);
        x = signs;
        SolveScaledTransposed(factors, inverseScale, x);
        const std::size_t lastColumn = column;
        column = LargestMagnitudeAt(x);
        if (x[lastColumn] == std::fabs(x[column]) || step >= kMostSteps)
            break;
    }
    for (std::size_t i = 0; i < size; ++i)
        x[i] = (i % 2 == 0 ? 1.0 : -1.0) * (1.0 + static_cast<double>(i) / (n - 1));
    SolveScaled(factors, inverseScale, x);
    return std::max(estimate, 2.0 * (Norm1(x) / (3.0 * n)));
}

} // namespace

double EstimateCondition(const SquareMatrix& basis, const LuFactors& factors)
{
    assert(basis.order() == factors.order);
    if (factors.singular())
        return kInfinity;
    double norm = 0.0;
    for (int j = 0; j < basis.order(); ++j) {
        double column = 0.0;
        for (int i = 0; i < basis.order(); ++i)
            column += std::fabs(basis(i, j));
        norm = std::max(norm, column);
    }
    const double condition = norm * EstimateInverseNorm1(factors, {});
    return condition <= kLargest ? condition : kInfinity; // NaN too
}

double EstimateScaledCondition(const SquareMatrix& basis, const LuFactors& factors)
{
    assert(basis.order() == factors.order);
    if (factors.singular())
        return kInfinity;
    const int n = basis.order();
    std::vector<double> largest(static_cast<std::size_t>(n), 0.0); // the diagonal of D^-1
    double norm = 0.0;
    for (int j = 0; j < n; ++j) {
        double column = 0.0;
        double& top = largest[static_cast<std::size_t>(j)];
        for (int i = 0; i < n; ++i) {
            const double magnitude = std::fabs(basis(i, j));
            column += magnitude;
            top = std::max(top, magnitude);
        }
        if (!(top > 0.0 && column <= kLargest)) // a column of zeros, or one that is not finite
            return kInfinity;
        norm = std::max(norm, column / top);
    }
    const double condition = norm * EstimateInverseNorm1(factors, largest);
    return condition <= kLargest ? condition : kInfinity;
}

} // namespace tavex
