// The expansion: its coefficients, computed from the table, and its value at a point.
#include "engine/compute.h"

#include "engine/basis.h"
#include "engine/basis_of_values.h"
#include "engine/evaluate.h"
#include "engine/solver.h"
#include "support/problem_builder.h"
#include "support/tolerance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <numeric>
#include <random>

namespace tavex {
namespace {

using testing::MakeProblem;
using testing::Tolerance;
using testing::VariableSpec;

TEST(Compute, ExactCoefficients)
{
    const double pi = 4.0 * std::atan(1.0);
    struct Case { std::vector<VariableSpec> variables; std::vector<double> f, coefficients; double tolerance; };
    const Case cases[] = {
        {{{"x", false, {0, 1, 2}}}, {1, 3, 7}, {1, 1, 1}, Tolerance(4)},                   // 1 + x + x^2
        {{{"x", false, {1, 3}, 2.0}}, {5, 9}, {7, 2}, 0.0},                            // 7 + 2 (x - 2)
        {{{"t", true, {0, 1, 2}, 0.0, 4.0}}, {4, 3, -2}, {1, 2, 3}, Tolerance(8)},         // 1 + 2 sin + 3 cos
        {{{"t", true, {0, pi / 2, pi}, 0.0, pi + pi}}, {4, 3, -2}, {1, 2, 3}, Tolerance(8)},
        {{{"x", false, {0, 1}}, {"y", false, {0, 1}}}, {1, 3, 4, 10}, {1, 2, 3, 4}, 0.0}, // 1 + 2x + 3y + 4xy
    };
    for (const Case& c : cases) {
        ProblemModel model = MakeProblem(c.variables, c.f);
        ASSERT_TRUE(Compute(model, {}).succeeded) << "case " << &c - cases;
        EXPECT_TRUE(model.IsComputed());
        for (std::size_t j = 0; j < c.coefficients.size(); ++j)
            EXPECT_NEAR(model.coef.data()[j], c.coefficients[j], c.tolerance) << "case " << &c - cases << ", " << j;
    }
}

TEST(Compute, RepeatedValueIsSingularAndStopsBeforeLaterVariables)
{
    std::vector<double> f(8);
    std::iota(f.begin(), f.end(), 1.0);
    ProblemModel model = MakeProblem({{"x", false, {0, 1}}, {"y", false, {2, 2}}, {"z", false, {0, 1}}}, f);
    EXPECT_EQ(Compute(model, {}).failureLine, "YIELDS SINGULAR MATRIX.");
    EXPECT_FALSE(model.IsComputed());

    // What solving along x, then along y up to its zero pivot, leaves: z untouched.
    Table4 expected = model.funTable;
    const std::array<int, 4> upper{1, 1, 1, 0};
    EXPECT_FALSE(SolveAlongVariable(expected, 0, upper, BasisMatrixOf(model.Var(0).values, 2, false, 0, 1), 1));
    EXPECT_TRUE(SolveAlongVariable(expected, 1, upper, BasisMatrixOf(model.Var(1).values, 2, false, 0, 1), 1));
    EXPECT_EQ(std::memcmp(model.coef.data(), expected.data(), expected.size() * sizeof(double)), 0);
}

TEST(Compute, FailuresAreToldInTheListAndLeaveNoCoefficients)
{
    std::vector<double> twoMillion(2000000);
    std::iota(twoMillion.begin(), twoMillion.end(), 0.0);
    struct Case { std::vector<VariableSpec> variables; std::vector<double> f; const char* line; };
    const Case cases[] = {
        {{{"x", false, {0, 1}}, {"angle", true, {0, 1, 2}}}, {}, "PERIOD OF angle IS ZERO."},
        {{{"", true, {0, 1}}}, {}, "PERIOD OF VARIABLE 1 IS ZERO."},
        // The pivot 1e-300 of y passes; dividing by it overflows, in the last
        // coefficient of each line along x only.
        {{{"x", false, {0, 1}}, {"y", false, {1e-300, 2e-300}}}, {0, 0, 0, 1e10}, "YIELDS NUMERICAL OVERFLOW."},
        // A table of 16 MB, a basis of 32 TB: refused before anything is built.
        {{{"x", false, twoMillion}}, {}, "BASIS OF x TOO LARGE FOR MEMORY."},
    };
    for (const Case& c : cases) {
        ProblemModel model = MakeProblem(c.variables, c.f);
        const ComputeOutcome outcome = Compute(model, {});
        EXPECT_FALSE(outcome.succeeded) << c.line;
        EXPECT_EQ(outcome.failureLine, c.line);
        EXPECT_FALSE(model.IsComputed()) << c.line;
    }
}

TEST(BuildBasisMatrix, PowersByMultiplicationAnglesByAddition)
{
    // The exact operations decide the last bits: u^3 as (u * u) * u, the
    // third multiple of the angle as (u + u) + u.
    const double x = 0.7, w = (8.0 * std::atan(1.0)) / 2.5, u = x * w, d = x - 0.25;
    const SquareMatrix trig = BasisMatrixOf({x, 0, 0, 0, 0, 0, 0}, 7, true, 0.0, 2.5);
    const double expected[] = {1.0, std::sin(u), std::cos(u), std::sin(u + u), std::cos(u + u),
                               std::sin((u + u) + u), std::cos((u + u) + u)};
    for (int j = 0; j < 7; ++j)
        EXPECT_EQ(trig(0, j), expected[j]) << j;
    EXPECT_EQ(BasisMatrixOf({x, 0, 0, 0}, 4, false, 0.25, 1.0)(0, 3), (d * d) * d);
}

// The nested sums exactly as one would write them by hand, level by level.
double NestedSum(const ProblemModel& model, int v, std::array<int, 4>& j, const std::array<double, 4>& dx)
{
    const int m = v <= model.lastVar ? model.Var(v).valueUpper : 0;
    const auto inner = [&](int index) {
        j[v] = index;
        return v == 0 ? model.coef(j[0], j[1], j[2], j[3]) : NestedSum(model, v - 1, j, dx);
    };
    double s = 0.0;
    if (!model.IsTrigonometric(v)) {
        for (int k = m; k >= 0; --k)
            s = s * dx[v] + inner(k);
        return s;
    }
    double angle = 0.0;
    int k = 0;
    while (k <= m - 1) {
        s = inner(k) * std::cos(angle) + s;
        angle = dx[v] + angle;
        ++k;
        s = inner(k) * std::sin(angle) + s;
        ++k;
    }
    if (k == m)
        s = inner(k) * std::cos(angle) + s;
    return s;
}

TEST(Evaluate, OneVariable)
{
    const double theta = 2 * std::acos(-1.0) * 0.7 / 10.0;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case { VariableSpec variable; std::vector<double> coefficients; double x, expected, tolerance; };
    const Case cases[] = {
        {{"x", false, {0, 1, 2}}, {1, 1, 1}, 2.0, 7.0, 0.0},                     // Horner
        {{"t", true, {0, 1, 2}, 0.0, 4.0}, {1, 2, 3}, 1.0, 3.0, Tolerance(8)},       // a quarter period
        {{"t", true, {0, 1, 2, 3}, 0.0, 10.0}, {1, 0, 0, 1}, 0.7, 1.0 + std::sin(2 * theta), Tolerance(8)},
        {{"t", true, {0, 1, 2}, 0.0, 0.0}, {1, 2, 3}, 0.0, nan, 0.0},            // no period: no value
        {{"x", false, {0, 1, 2}}, {1, 1, 1e300}, 1e10, std::numeric_limits<double>::infinity(), 0.0},
    };
    for (const Case& c : cases) {
        ProblemModel model = MakeProblem({c.variable}, c.coefficients);
        model.SetComputed();
        const double value = Evaluate(model, {c.x}).value();
        EXPECT_TRUE(std::isnan(c.expected) ? std::isnan(value)
                                           : value == c.expected || std::fabs(value - c.expected) <= c.tolerance)
            << c.x << " gives " << value;
    }
    EXPECT_FALSE(Evaluate(MakeProblem({{"x", false, {0, 1, 2}}}), {2.0}).has_value()); // not computed
}

TEST(Evaluate, ReproducesTheTableAndEqualsTheNestedSumsBitForBit)
{
    ProblemModel model = MakeProblem({{"a", false, {-1, -0.2, 0.5, 1}, 0.25}, {"b", true, {0, 1, 2, 3, 4}, 0.5, 5.5},
                                      {"c", false, {-2, 2}}, {"d", true, {0.1, 0.9, 2.0}, 0.0, 6.0}});
    const auto f = [](const PerVariable<double>& x) {
        return std::exp(x[0]) * std::cos(x[1]) + x[2] * x[3] - x[0] * x[1] * x[2];
    };
    testing::TabulateFunction(model, f);
    ASSERT_TRUE(Compute(model, {}).succeeded);
    ForEachIndex(model.UpperIndices(), [&](const PerVariable<int>& i) {
        PerVariable<double> x{};
        for (std::size_t k = 0; k < x.size(); ++k)
            x[k] = model.Var(static_cast<int>(k)).Value(i[k]);
        EXPECT_NEAR(Evaluate(model, x).value(), f(x), Tolerance(1e3, 1 + std::fabs(f(x))));
    });

    std::mt19937 gen(5);
    std::uniform_real_distribution<double> coordinate(-3.0, 3.0);
    for (int trial = 0; trial < 20; ++trial) {
        const std::array<double, 4> x{coordinate(gen), coordinate(gen), coordinate(gen), coordinate(gen)};
        std::array<double, 4> dx{};
        for (std::size_t v = 0; v < 4; ++v) {
            dx[v] = x[v] - model.Var(v).center;
            if (model.IsTrigonometric(v))
                dx[v] = ((std::atan(1.0) * dx[v]) * 8.0) / model.Var(v).period;
        }
        std::array<int, 4> j{};
        const double value = Evaluate(model, x).value(), expected = NestedSum(model, 3, j, dx);
        EXPECT_EQ(std::memcmp(&value, &expected, sizeof value), 0) << value << " vs " << expected;
    }
}

} // namespace
} // namespace tavex
