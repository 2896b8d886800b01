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

ComputeOutcome ComputeCommand(ProblemModel& model, const PerVariable<bool>& spaced = kNoneSpaced)
{
    model.coef = model.funTable;
    return Compute(model, spaced);
}

TEST(Compute, QuadraticThroughThreePoints)
{
    ProblemModel model = MakeProblem({{"x", false, {0, 1, 2}}});
    model.funTable(0, 0, 0, 0) = 1;
    model.funTable(1, 0, 0, 0) = 3;
    model.funTable(2, 0, 0, 0) = 7;
    ASSERT_TRUE(ComputeCommand(model).succeeded);
    EXPECT_TRUE(model.isComputed);
    EXPECT_DOUBLE_EQ(model.coef(0, 0, 0, 0), 1.0);
    EXPECT_DOUBLE_EQ(model.coef(1, 0, 0, 0), 1.0);
    EXPECT_DOUBLE_EQ(model.coef(2, 0, 0, 0), 1.0);
}

TEST(Compute, TrigonometricVariableWithPeriodFour)
{
    ProblemModel model = MakeProblem({{"t", true, {0, 1, 2}, 0.0, 4.0}});
    model.funTable(0, 0, 0, 0) = 4;
    model.funTable(1, 0, 0, 0) = 3;
    model.funTable(2, 0, 0, 0) = -2;
    ASSERT_TRUE(ComputeCommand(model).succeeded);
    const double tolerance = 8 * std::numeric_limits<double>::epsilon();
    EXPECT_NEAR(model.coef(0, 0, 0, 0), 1.0, tolerance);
    EXPECT_NEAR(model.coef(1, 0, 0, 0), 2.0, tolerance);
    EXPECT_NEAR(model.coef(2, 0, 0, 0), 3.0, tolerance);
}

TEST(Compute, DefaultPeriodGivesTheSameCoefficients)
{
    const double pi = 4.0 * std::atan(1.0);
    ProblemModel model = MakeProblem({{"t", true, {0, pi / 2, pi}, 0.0, pi + pi}});
    model.funTable(0, 0, 0, 0) = 4;
    model.funTable(1, 0, 0, 0) = 3;
    model.funTable(2, 0, 0, 0) = -2;
    ASSERT_TRUE(ComputeCommand(model).succeeded);
    const double tolerance = 8 * std::numeric_limits<double>::epsilon();
    EXPECT_NEAR(model.coef(0, 0, 0, 0), 1.0, tolerance);
    EXPECT_NEAR(model.coef(1, 0, 0, 0), 2.0, tolerance);
    EXPECT_NEAR(model.coef(2, 0, 0, 0), 3.0, tolerance);
}

TEST(Compute, TwoVariablesLandInStorageOrder)
{
    ProblemModel model = MakeProblem({{"x", false, {0, 1}}, {"y", false, {0, 1}}});
    model.funTable(0, 0, 0, 0) = 1;
    model.funTable(1, 0, 0, 0) = 3;
    model.funTable(0, 1, 0, 0) = 4;
    model.funTable(1, 1, 0, 0) = 10;
    ASSERT_TRUE(ComputeCommand(model).succeeded);
    EXPECT_EQ(model.coef.data()[0], 1.0);
    EXPECT_EQ(model.coef.data()[1], 2.0);
    EXPECT_EQ(model.coef.data()[2], 3.0);
    EXPECT_EQ(model.coef.data()[3], 4.0);
    EXPECT_EQ(model.coef.extents(), (Table4::Extents{2, 2, 1, 1}));
}

TEST(Compute, CenterShiftsTheBasis)
{
    ProblemModel model = MakeProblem({{"x", false, {1, 3}, 2.0}});
    model.funTable(0, 0, 0, 0) = 5;
    model.funTable(1, 0, 0, 0) = 9;
    ASSERT_TRUE(ComputeCommand(model).succeeded);
    EXPECT_EQ(model.coef(0, 0, 0, 0), 7.0);
    EXPECT_EQ(model.coef(1, 0, 0, 0), 2.0);
}

TEST(Compute, RepeatedValueIsSingularAndStopsBeforeLaterVariables)
{
    ProblemModel model = MakeProblem({{"x", false, {0, 1}}, {"y", false, {2, 2}}, {"z", false, {0, 1}}});
    for (std::size_t e = 0; e < model.funTable.size(); ++e)
        model.funTable.data()[e] = static_cast<double>(e + 1);
    const ComputeOutcome outcome = ComputeCommand(model);
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_EQ(outcome.failureLine, "YIELDS SINGULAR MATRIX.");
    EXPECT_FALSE(model.isComputed);

    // What solving along x, then along y up to its zero pivot, leaves: z untouched.
    Table4 expected = model.funTable;
    const std::array<int, 4> upper{1, 1, 1, 0};
    EXPECT_FALSE(SolveAlongVariable(expected, 0, upper, BuildBasisMatrix(model.VarX(0), 2, false, 0, 1), 1));
    EXPECT_TRUE(SolveAlongVariable(expected, 1, upper, BuildBasisMatrix(model.VarX(1), 2, false, 0, 1), 1));
    EXPECT_EQ(std::memcmp(model.coef.data(), expected.data(), expected.size() * sizeof(double)), 0);
}

TEST(Compute, EquallySpacedValuesAreRegenerated)
{
    ProblemModel model = MakeProblem({{"x", false, {7, 8, 9}}});
    model.lowerLimit[0] = 1.0;
    model.upperLimit[0] = 2.0;
    model.valueStep[0] = 0.5;
    ASSERT_TRUE(ComputeCommand(model, {true, false, false, false}).succeeded);
    EXPECT_EQ(model.VarX(0), (std::vector<double>{1.0, 1.5, 2.0}));
}

TEST(Compute, ZeroPeriodIsReportedBeforeAnythingIsSolved)
{
    ProblemModel model = MakeProblem({{"x", false, {0, 1}}, {"angle", true, {0, 1, 2}, 0.0, 0.0}});
    model.funTable(1, 2, 0, 0) = 5.0;
    const ComputeOutcome outcome = ComputeCommand(model);
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_EQ(outcome.failureLine, "PERIOD OF angle IS ZERO.");
    EXPECT_FALSE(model.isComputed);
    EXPECT_EQ(model.coef, model.funTable);
}

TEST(Compute, ZeroPeriodOfAnUnnamedVariableNamesItsNumber)
{
    ProblemModel model = MakeProblem({{"", true, {0, 1}, 0.0, 0.0}});
    EXPECT_EQ(ComputeCommand(model).failureLine, "PERIOD OF VARIABLE 1 IS ZERO.");
}

TEST(Compute, OverflowIsAFailureNotAResult)
{
    // A pivot of 1e-300 passes; dividing 1e10 by it overflows.
    ProblemModel model = MakeProblem({{"x", false, {1e-300, 2e-300}}});
    model.funTable(0, 0, 0, 0) = 1e10;
    model.funTable(1, 0, 0, 0) = 3e10;
    const ComputeOutcome outcome = ComputeCommand(model);
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_EQ(outcome.failureLine, "YIELDS NUMERICAL OVERFLOW.");
    EXPECT_FALSE(model.isComputed);
}

TEST(Compute, AnInfiniteFunctionValueInABigTableIsReportedAsOverflow)
{
    std::vector<double> values(100);
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = -1.0 + 0.02 * static_cast<double>(i);
    ProblemModel model = MakeProblem({{"x", true, values, 0.0, 5.0}, {"y", true, values, 0.0, 5.0},
                                      {"z", true, values, 0.0, 5.0}});
    model.funTable(99, 99, 98, 0) = std::numeric_limits<double>::infinity();
    const ComputeOutcome outcome = ComputeCommand(model);
    EXPECT_EQ(outcome.failureLine, "YIELDS NUMERICAL OVERFLOW.");
    EXPECT_FALSE(model.isComputed);
}

TEST(Compute, ABasisLargerThanMemoryIsReportedBeforeAnythingIsSolved)
{
    // Two million values make a table of 16 MB but a basis of 32 TB.
    std::vector<double> values(2000000);
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = static_cast<double>(i);
    ProblemModel model = MakeProblem({{"x", false, values}});
    const ComputeOutcome outcome = ComputeCommand(model);
    EXPECT_EQ(outcome.failureLine, "BASIS OF x TOO LARGE FOR MEMORY.");
    EXPECT_FALSE(model.isComputed);
}

TEST(Compute, ListsOfTheWrongLengthEndTheWorkWithoutALine)
{
    ProblemModel model = MakeProblem({{"x", false, {0, 1, 2}}});
    model.valueUpper[0] = 5; // the table still has three entries
    const ComputeOutcome outcome = ComputeCommand(model);
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_TRUE(outcome.failureLine.empty());
    EXPECT_FALSE(model.isComputed);
}

} // namespace
} // namespace tavex
