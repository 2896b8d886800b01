#include "engine/evaluate.h"

#include "engine/compute.h"
#include "engine/problem_builder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace tavex {
namespace {

using testing::kNoneSpaced;
using testing::MakeProblem;

constexpr double kEps = std::numeric_limits<double>::epsilon();

double EvaluateAt(const ProblemModel& model, std::initializer_list<double> point)
{
    PerVariable<double> offsets{};
    std::size_t slot = 0;
    for (const double x : point) {
        offsets[slot] = x - model.center[slot];
        ++slot;
    }
    return Evaluate(model, offsets).value();
}

ProblemModel WithCoefficients(ProblemModel model, std::initializer_list<double> coefficients)
{
    int j = 0;
    for (const double c : coefficients)
        model.coef(j++, 0, 0, 0) = c;
    model.isComputed = true;
    return model;
}

// The nested sums exactly as one would write them by hand, level by level.
double NestedSum(const ProblemModel& model, int v, std::array<int, 4>& j, const std::array<double, 4>& dx)
{
    const auto slot = static_cast<std::size_t>(v);
    const int m = v <= model.lastVar ? model.valueUpper[slot] : 0;
    const auto inner = [&](int index) {
        j[slot] = index;
        return v == 0 ? model.coef(j[0], j[1], j[2], j[3]) : NestedSum(model, v - 1, j, dx);
    };
    double s = 0.0;
    if (!model.IsTrigonometric(slot)) {
        for (int k = m; k >= 0; --k)
            s = s * dx[slot] + inner(k);
        return s;
    }
    double angle = 0.0;
    int k = 0;
    while (k <= m - 1) {
        s = inner(k) * std::cos(angle) + s;
        angle = dx[slot] + angle;
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
    struct Case {
        testing::VariableSpec variable;
        std::initializer_list<double> coefficients;
        double x;
        double expected; // NaN: not a number
        double tolerance;
    };
    const Case cases[] = {
        {{"x", false, {0, 1, 2}}, {1, 1, 1}, 2.0, 7.0, 0.0},                       // Horner
        {{"t", true, {0, 1, 2}, 0.0, 4.0}, {1, 2, 3}, 1.0, 3.0, 8 * kEps},         // a quarter period
        {{"t", true, {0, 1, 2}, 0.0, 4.0}, {1, 2, 3}, 2.0, -2.0, 8 * kEps},        // half of it
        {{"t", true, {0, 1, 2, 3}, 0.0, 10.0}, {1, 0, 0, 1}, 0.7, 1.0 + std::sin(2 * theta), 8 * kEps},
        {{"t", true, {0, 1, 2}, 0.0, 0.0}, {1, 2, 3}, 0.0, nan, 0.0},              // no period: no value
        {{"x", false, {0, 1, 2}}, {1, 1, 1e300}, 1e10, std::numeric_limits<double>::infinity(), 0.0},
    };
    for (const Case& c : cases) {
        const ProblemModel model = WithCoefficients(MakeProblem({c.variable}), c.coefficients);
        const double value = EvaluateAt(model, {c.x});
        if (std::isnan(c.expected))
            EXPECT_TRUE(std::isnan(value)) << c.x;
        else if (std::isinf(c.expected))
            EXPECT_EQ(value, c.expected) << c.x;
        else
            EXPECT_NEAR(value, c.expected, c.tolerance) << c.x;
    }
    EXPECT_FALSE(Evaluate(MakeProblem({{"x", false, {0, 1, 2}}}), {2.0}).has_value()); // not computed
}

ProblemModel FourVariableProblem()
{
    ProblemModel model = MakeProblem({{"a", false, {-1, -0.2, 0.5, 1}, 0.25},
                                      {"b", true, {0, 1, 2, 3, 4}, 0.5, 5.5},
                                      {"c", false, {-2, 2}},
                                      {"d", true, {0.1, 0.9, 2.0}, 0.0, 6.0}});
    for (int i3 = 0; i3 <= 2; ++i3)
        for (int i2 = 0; i2 <= 1; ++i2)
            for (int i1 = 0; i1 <= 4; ++i1)
                for (int i0 = 0; i0 <= 3; ++i0) {
                    const double a = model.GetVarX(0, i0), b = model.GetVarX(1, i1);
                    const double c = model.GetVarX(2, i2), d = model.GetVarX(3, i3);
                    model.funTable(i0, i1, i2, i3) = std::exp(a) * std::cos(b) + c * d - a * b * c;
                }
    model.coef = model.funTable;
    return model;
}

TEST(Evaluate, ReproducesEveryTabulatedValue)
{
    ProblemModel model = FourVariableProblem();
    ASSERT_TRUE(Compute(model, kNoneSpaced).succeeded);
    for (int i3 = 0; i3 <= 2; ++i3)
        for (int i2 = 0; i2 <= 1; ++i2)
            for (int i1 = 0; i1 <= 4; ++i1)
                for (int i0 = 0; i0 <= 3; ++i0) {
                    const double expected = model.funTable(i0, i1, i2, i3);
                    const double value = EvaluateAt(model, {model.GetVarX(0, i0), model.GetVarX(1, i1),
                                                            model.GetVarX(2, i2), model.GetVarX(3, i3)});
                    EXPECT_NEAR(value, expected, 1e3 * kEps * (1 + std::fabs(expected)));
                }
}

TEST(Evaluate, BitIdenticalToTheNestedSums)
{
    ProblemModel model = FourVariableProblem();
    ASSERT_TRUE(Compute(model, kNoneSpaced).succeeded);
    std::mt19937 gen(5);
    std::uniform_real_distribution<double> coordinate(-3.0, 3.0);
    for (int trial = 0; trial < 20; ++trial) {
        std::array<double, 4> x{coordinate(gen), coordinate(gen), coordinate(gen), coordinate(gen)};
        const double value = EvaluateAt(model, {x[0], x[1], x[2], x[3]});
        std::array<double, 4> dx{};
        const double atanOne = std::atan(1.0);
        for (std::size_t v = 0; v < 4; ++v) {
            dx[v] = x[v] - model.center[v];
            if (model.IsTrigonometric(v))
                dx[v] = ((atanOne * dx[v]) * 8.0) / model.period[v];
        }
        std::array<int, 4> j{};
        const double expected = NestedSum(model, 3, j, dx);
        EXPECT_EQ(std::memcmp(&value, &expected, sizeof value), 0) << value << " vs " << expected;
    }
}

} // namespace
} // namespace tavex
