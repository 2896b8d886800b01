#include "engine/compute.h"

#include "engine/basis.h"
#include "engine/problem_builder.h"
#include "engine/solver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace tavex {
namespace {

using testing::kNoneSpaced;
using testing::MakeProblem;
using testing::VariableSpec;

constexpr double kEps = std::numeric_limits<double>::epsilon();
const double kPi = 4.0 * std::atan(1.0);

ComputeOutcome ComputeCommand(ProblemModel& model, const PerVariable<bool>& spaced = kNoneSpaced)
{
    model.coef = model.funTable;
    return Compute(model, spaced);
}

ProblemModel OneVariable(const VariableSpec& variable, std::initializer_list<double> f)
{
    ProblemModel model = MakeProblem({variable});
    int i = 0;
    for (const double value : f)
        model.funTable(i++, 0, 0, 0) = value;
    return model;
}

TEST(Compute, ExactCoefficientsOfOneVariable)
{
    struct Case {
        VariableSpec variable;
        std::vector<double> f;
        std::vector<double> coefficients;
        double tolerance;
    };
    const Case cases[] = {
        {{"x", false, {0, 1, 2}}, {1, 3, 7}, {1, 1, 1}, 4 * kEps},                // 1 + x + x^2
        {{"x", false, {1, 3}, 2.0}, {5, 9}, {7, 2}, 0.0},                         // 7 + 2 (x - 2)
        {{"t", true, {0, 1, 2}, 0.0, 4.0}, {4, 3, -2}, {1, 2, 3}, 8 * kEps},       // 1 + 2 sin + 3 cos
        {{"t", true, {0, kPi / 2, kPi}, 0.0, kPi + kPi}, {4, 3, -2}, {1, 2, 3}, 8 * kEps},
    };
    for (const Case& c : cases) {
        ProblemModel model = MakeProblem({c.variable});
        for (std::size_t i = 0; i < c.f.size(); ++i)
            model.funTable(static_cast<int>(i), 0, 0, 0) = c.f[i];
        ASSERT_TRUE(ComputeCommand(model).succeeded) << c.variable.name;
        EXPECT_TRUE(model.isComputed);
        for (std::size_t j = 0; j < c.coefficients.size(); ++j)
            EXPECT_NEAR(model.coef(static_cast<int>(j), 0, 0, 0), c.coefficients[j], c.tolerance) << j;
    }
}

TEST(Compute, TwoVariablesLandInStorageOrder)
{
    ProblemModel model = MakeProblem({{"x", false, {0, 1}}, {"y", false, {0, 1}}});
    model.funTable(0, 0, 0, 0) = 1;
    model.funTable(1, 0, 0, 0) = 3;
    model.funTable(0, 1, 0, 0) = 4;
    model.funTable(1, 1, 0, 0) = 10;
    ASSERT_TRUE(ComputeCommand(model).succeeded);
    EXPECT_EQ(std::vector<double>(model.coef.data(), model.coef.data() + 4), (std::vector<double>{1, 2, 3, 4}));
}

TEST(Compute, EquallySpacedValuesAreRegenerated)
{
    ProblemModel model = MakeProblem({{"x", false, {7, 8, 9}}});
    model.lowerLimit[0] = 1.0;
    model.valueStep[0] = 0.5;
    ASSERT_TRUE(ComputeCommand(model, {true, false, false, false}).succeeded);
    EXPECT_EQ(model.VarX(0), (std::vector<double>{1.0, 1.5, 2.0}));
}

TEST(Compute, RepeatedValueIsSingularAndStopsBeforeLaterVariables)
{
    ProblemModel model = MakeProblem({{"x", false, {0, 1}}, {"y", false, {2, 2}}, {"z", false, {0, 1}}});
    for (std::size_t e = 0; e < model.funTable.size(); ++e)
        model.funTable.data()[e] = static_cast<double>(e + 1);
    const ComputeOutcome outcome = ComputeCommand(model);
    EXPECT_EQ(outcome.failureLine, "YIELDS SINGULAR MATRIX.");
    EXPECT_FALSE(model.isComputed);

    // What solving along x, then along y up to its zero pivot, leaves: z untouched.
    Table4 expected = model.funTable;
    const std::array<int, 4> upper{1, 1, 1, 0};
    EXPECT_FALSE(SolveAlongVariable(expected, 0, upper, BuildBasisMatrix(model.VarX(0), 2, false, 0, 1), 1));
    EXPECT_TRUE(SolveAlongVariable(expected, 1, upper, BuildBasisMatrix(model.VarX(1), 2, false, 0, 1), 1));
    EXPECT_EQ(std::memcmp(model.coef.data(), expected.data(), expected.size() * sizeof(double)), 0);
}

TEST(Compute, FailuresAreToldInTheListAndLeaveNoCoefficients)
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    std::vector<double> hundred(100);
    for (std::size_t i = 0; i < hundred.size(); ++i)
        hundred[i] = -1.0 + 0.02 * static_cast<double>(i);
    ProblemModel bigWithInfinity = MakeProblem({{"x", true, hundred, 0.0, 5.0}, {"y", true, hundred, 0.0, 5.0},
                                                {"z", true, hundred, 0.0, 5.0}});
    bigWithInfinity.funTable(99, 99, 98, 0) = inf;
    std::vector<double> twoMillion(2000000);
    for (std::size_t i = 0; i < twoMillion.size(); ++i)
        twoMillion[i] = static_cast<double>(i);

    struct Case {
        ProblemModel model;
        const char* line;
    };
    Case cases[] = {
        {MakeProblem({{"x", false, {0, 1}}, {"angle", true, {0, 1, 2}, 0.0, 0.0}}), "PERIOD OF angle IS ZERO."},
        {MakeProblem({{"", true, {0, 1}, 0.0, 0.0}}), "PERIOD OF VARIABLE 1 IS ZERO."},
        // A pivot of 1e-300 passes; dividing 1e10 by it overflows.
        {OneVariable({"x", false, {1e-300, 2e-300}}, {1e10, 3e10}), "YIELDS NUMERICAL OVERFLOW."},
        // Only the last coefficient of the line is not finite.
        {OneVariable({"x", false, {0, 1}}, {1, inf}), "YIELDS NUMERICAL OVERFLOW."},
        {std::move(bigWithInfinity), "YIELDS NUMERICAL OVERFLOW."},
        // A table of 16 MB, a basis of 32 TB: refused before anything is built.
        {MakeProblem({{"x", false, twoMillion}}), "BASIS OF x TOO LARGE FOR MEMORY."},
    };
    for (Case& c : cases) {
        const ComputeOutcome outcome = ComputeCommand(c.model);
        EXPECT_FALSE(outcome.succeeded) << c.line;
        EXPECT_EQ(outcome.failureLine, c.line);
        EXPECT_FALSE(c.model.isComputed) << c.line;
    }
}

TEST(BuildBasisMatrix, PowersByMultiplicationAnglesByAddition)
{
    // The exact operations decide the last bits: u^3 as (u * u) * u, the
    // third multiple of the angle as (u + u) + u.
    const double x = 0.7;
    const double w = AngleFactor(true, 2.5);
    const double u = x * w;
    const SquareMatrix trig = BuildBasisMatrix({x, 0, 0, 0, 0, 0, 0}, 7, true, 0.0, w);
    const double expected[] = {1.0, std::sin(u), std::cos(u), std::sin(u + u), std::cos(u + u),
                               std::sin((u + u) + u), std::cos((u + u) + u)};
    for (int j = 0; j < 7; ++j)
        EXPECT_EQ(trig(0, j), expected[j]) << j;
    const SquareMatrix powers = BuildBasisMatrix({x, 0, 0, 0}, 4, false, 0.25, 1.0);
    const double d = x - 0.25;
    EXPECT_EQ(powers(0, 3), (d * d) * d);
}

} // namespace
} // namespace tavex
