#pragma once

#include "engine/variable_basis.h"
#include "model/index_walk.h"
#include "model/problem_model.h"

#include <cmath>
#include <vector>

namespace tavex::testing {

// The sum of the magnitudes of the terms at the point: the scale of the
// rounding errors of any order of summing them.
inline double TermMagnitudes(const ProblemModel& model, const PerVariable<double>& point)
{
    const PerVariable<int> m = model.UpperIndices();
    PerVariable<std::vector<double>> basis;
    for (int v = 0; v < 4; ++v) {
        const auto k = static_cast<std::size_t>(v);
        const VariableBasis variable = BasisOf(model, v);
        basis[k].resize(static_cast<std::size_t>(m[k]) + 1);
        variable.kind->Weights(variable.Argument(point[k]), m[k], basis[k].data());
    }
    double sum = 0.0;
    ForEachIndex(m, [&](const PerVariable<int>& j) {
        sum += std::fabs(model.coef(j[0], j[1], j[2], j[3]) * basis[0][j[0]] * basis[1][j[1]] * basis[2][j[2]]
                         * basis[3][j[3]]);
    });
    return sum;
}

} // namespace tavex::testing
