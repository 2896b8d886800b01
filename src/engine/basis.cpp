#include "engine/basis.h"

#include <cassert>
#include <cmath>

namespace tavex {

double AngleFactor(bool trigonometric, double period)
{
    return trigonometric ? (8.0 * std::atan(1.0)) / period : 1.0;
}

SquareMatrix BuildBasisMatrix(const std::vector<double>& values, int order, bool trigonometric,
                              double center, double angleFactor)
{
    assert(order >= 1 && values.size() >= static_cast<std::size_t>(order));
    SquareMatrix a(order);
    for (int k = 0; k < order; ++k) {
        const double u = (values[static_cast<std::size_t>(k)] - center) * angleFactor;
        double* row = a.Row(k);
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
    return a;
}

} // namespace tavex
