#include "engine/basis.h"

#include "base/parallel_for.h"

#include <cassert>
#include <cmath>

namespace tavex {

namespace {

// Row k: the basis functions at values[k].
void FillRow(double* row, double value, int order, bool trigonometric, double center, double angleFactor)
{
    const double u = (value - center) * angleFactor;
    row[0] = 1.0;
    double t = trigonometric ? u : 1.0;
    for (int j = 1; j < order; ++j) {
        if (!trigonometric) {
            t = t * u;
            row[j] = t;
        } else if (j % 2 == 1) {
            row[j] = std::sin(t);
        } else {
            row[j] = std::cos(t);
            t = t + u;
        }
    }
}

} // namespace

double AngleFactor(bool trigonometric, double period)
{
    return trigonometric ? (8.0 * std::atan(1.0)) / period : 1.0;
}

SquareMatrix BuildBasisMatrix(const std::vector<double>& values, int order, bool trigonometric,
                              double center, double angleFactor, int threads)
{
    assert(order >= 1 && values.size() >= static_cast<std::size_t>(order));
    SquareMatrix a(order);
    // Rows are independent; a big trigonometric matrix spends its time in sin
    // and cos, so its rows are shared out.
    const double work = static_cast<double>(order) * order * (trigonometric ? 20.0 : 1.0);
    ParallelFor(static_cast<std::size_t>(order), work > 2e5 ? threads : 1, [&](std::size_t begin, std::size_t end) {
        for (std::size_t k = begin; k < end; ++k)
            FillRow(a.Row(static_cast<int>(k)), values[k], order, trigonometric, center, angleFactor);
    });
    return a;
}

} // namespace tavex
