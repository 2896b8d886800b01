#include "engine/reference_solver.h"

#include <cmath>
#include <functional>
#include <utility>

namespace tavex::testing {

namespace {

bool IsZero(double x) { return x == 0.0 || std::isnan(x); }

// Calls visit(line) for every line along index i, where line(k) is entry k.
void ForEachLine(Table4& coef, int i, const std::array<int, 4>& upper,
                 const std::function<void(const std::function<double&(int)>&)>& visit)
{
    std::array<int, 4> idx{};
    for (idx[3] = 0; idx[3] <= (i == 3 ? 0 : upper[3]); ++idx[3])
        for (idx[2] = 0; idx[2] <= (i == 2 ? 0 : upper[2]); ++idx[2])
            for (idx[1] = 0; idx[1] <= (i == 1 ? 0 : upper[1]); ++idx[1])
                for (idx[0] = 0; idx[0] <= (i == 0 ? 0 : upper[0]); ++idx[0]) {
                    const auto line = [&](int k) -> double& {
                        std::array<int, 4> at = idx;
                        at[static_cast<std::size_t>(i)] = k;
                        return coef(at[0], at[1], at[2], at[3]);
                    };
                    visit(line);
                }
}

} // namespace

bool ReferenceSolveAlongVariable(Table4& coef, int i, const std::array<int, 4>& upper, SquareMatrix a)
{
    const int m = upper[static_cast<std::size_t>(i)];
    for (int r = 0; r <= m - 1; ++r) {
        double largest = std::fabs(a(r, r));
        int p = r;
        for (int k = r + 1; k <= m; ++k)
            if (std::fabs(a(k, r)) > largest) {
                largest = std::fabs(a(k, r));
                p = k;
            }
        if (IsZero(largest))
            continue;
        if (p != r) {
            for (int j = 0; j <= m; ++j)
                std::swap(a(r, j), a(p, j));
            ForEachLine(coef, i, upper, [&](const auto& line) { std::swap(line(r), line(p)); });
        }
        for (int k = r + 1; k <= m; ++k) {
            const double f = a(k, r) / a(r, r);
            for (int j = r; j <= m; ++j)
                a(k, j) = a(k, j) - f * a(r, j);
            ForEachLine(coef, i, upper, [&](const auto& line) { line(k) = line(k) - f * line(r); });
        }
    }
    for (int k = m; k >= 0; --k) {
        if (IsZero(a(k, k)))
            return true;
        ForEachLine(coef, i, upper, [&](const auto& line) {
            double s = 0.0;
            for (int j = k + 1; j <= m; ++j)
                s = s + a(k, j) * line(j);
            line(k) = (line(k) - s) / a(k, k);
        });
    }
    return false;
}

} // namespace tavex::testing
