#include "engine/basis.h"
#include "engine/lu_factors.h"
#include "engine/reference_solver.h"
#include "engine/solver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace tavex {
namespace {

SquareMatrix MatrixOf(std::initializer_list<std::initializer_list<double>> rows)
{
    SquareMatrix a(static_cast<int>(rows.size()));
    int r = 0;
    for (const auto& row : rows) {
        int c = 0;
        for (const double x : row)
            a(r, c++) = x;
        ++r;
    }
    return a;
}

Table4 LineTable(std::initializer_list<double> values)
{
    Table4 t;
    t.Reshape({static_cast<int>(values.size()) - 1, 0, 0, 0});
    int k = 0;
    for (const double x : values)
        t(k++, 0, 0, 0) = x;
    return t;
}

bool BitIdentical(const Table4& a, const Table4& b)
{
    return a.extents() == b.extents() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

// --- the one-line edge cases ---

TEST(SolveAlongVariable, SingleValueLeavesLineUnchanged)
{
    Table4 t = LineTable({-0.0});
    SquareMatrix a(1);
    a(0, 0) = 1.0;
    EXPECT_FALSE(SolveAlongVariable(t, 0, {0, 0, 0, 0}, a, 1));
    EXPECT_TRUE(std::signbit(t(0, 0, 0, 0)));
}

TEST(SolveAlongVariable, ExchangesRowsForAZeroLeadingEntry)
{
    Table4 t = LineTable({5.0, 7.0});
    EXPECT_FALSE(SolveAlongVariable(t, 0, {1, 0, 0, 0}, MatrixOf({{0, 1}, {1, 0}}), 1));
    EXPECT_EQ(t(0, 0, 0, 0), 7.0);
    EXPECT_EQ(t(1, 0, 0, 0), 5.0);
}

TEST(SolveAlongVariable, EqualMagnitudesKeepTheFirstRowAsPivot)
{
    const LuFactors f = FactorBasis(MatrixOf({{1, 2}, {-1, 2}}));
    EXPECT_EQ(f.rowOrigin, (std::vector<int>{0, 1}));
    Table4 t = LineTable({1.0, 3.0});
    EXPECT_FALSE(SolveAlongVariable(t, 0, {1, 0, 0, 0}, MatrixOf({{1, 2}, {-1, 2}}), 1));
    EXPECT_EQ(t(0, 0, 0, 0), -1.0);
    EXPECT_EQ(t(1, 0, 0, 0), 1.0);
}

TEST(SolveAlongVariable, EqualRowsAreSingularWithoutDividingByZero)
{
    Table4 t = LineTable({1.0, 2.0, 3.0});
    const SquareMatrix a = MatrixOf({{1, 2, 4}, {1, 3, 9}, {1, 2, 4}});
    EXPECT_TRUE(SolveAlongVariable(t, 0, {2, 0, 0, 0}, a, 1));
    for (int k = 0; k < 3; ++k)
        EXPECT_TRUE(std::isfinite(t(k, 0, 0, 0)));
}

TEST(SolveAlongVariable, TinyPivotIsAcceptedEvenWhenTheResultOverflows)
{
    Table4 t = LineTable({1e10, 2.0});
    EXPECT_FALSE(SolveAlongVariable(t, 0, {1, 0, 0, 0}, MatrixOf({{1e-300, 0}, {0, 1}}), 1));
    EXPECT_TRUE(std::isinf(t(0, 0, 0, 0)));
    EXPECT_EQ(t(1, 0, 0, 0), 2.0);
}

TEST(FactorBasis, NanPivotCountsAsZero)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const LuFactors f = FactorBasis(MatrixOf({{nan, 1}, {1, 1}}));
    EXPECT_TRUE(f.stepSkipped[0]);
    EXPECT_TRUE(f.singular());
    EXPECT_EQ(f.stopRow, 0);
}

// --- the fast path against the plain algorithm, bit for bit ---

struct RandomCase {
    std::array<int, 4> upper{};   // the counts taking part
    std::array<int, 4> storage{}; // upper indices of the storage, >= upper
};

RandomCase MakeCase(std::mt19937& gen, int variables, int maxValues)
{
    RandomCase c;
    std::uniform_int_distribution<int> count(1, maxValues - 1);
    std::uniform_int_distribution<int> spare(0, 2);
    for (int d = 0; d < 4; ++d) {
        const auto s = static_cast<std::size_t>(d);
        c.upper[s] = d < variables ? count(gen) : 0;
        c.storage[s] = c.upper[s] + (spare(gen) == 0 ? 1 : 0);
    }
    return c;
}

Table4 RandomTable(std::mt19937& gen, const std::array<int, 4>& storage)
{
    std::uniform_real_distribution<double> value(-10.0, 10.0);
    Table4 t;
    t.Reshape(storage);
    for (std::size_t e = 0; e < t.size(); ++e)
        t.data()[e] = value(gen);
    return t;
}

// Basis matrices as Compute builds them, from random sorted values.
SquareMatrix RandomBasis(std::mt19937& gen, int order, bool trigonometric)
{
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    std::vector<double> values(static_cast<std::size_t>(order));
    for (auto& x : values)
        x = value(gen);
    std::sort(values.begin(), values.end());
    return BuildBasisMatrix(values, order, trigonometric, 0.1, AngleFactor(trigonometric, 2.5));
}

void ExpectMatchesReference(Table4 table, int axis, const std::array<int, 4>& upper, const SquareMatrix& a)
{
    Table4 expected = table;
    const bool expectedSingular = testing::ReferenceSolveAlongVariable(expected, axis, upper, a);
    for (const int threads : {1, 2}) {
        Table4 actual = table;
        EXPECT_EQ(SolveAlongVariable(actual, axis, upper, a, threads), expectedSingular);
        EXPECT_TRUE(BitIdentical(actual, expected)) << "axis " << axis << ", " << threads << " threads";
    }
}

TEST(SolveAlongVariableFastPath, BitIdenticalToTheReferenceOnRandomTables)
{
    std::mt19937 gen(1234);
    for (int variables = 1; variables <= 4; ++variables) {
        for (int trial = 0; trial < 6; ++trial) {
            const RandomCase c = MakeCase(gen, variables, variables <= 2 ? 40 : 9);
            const Table4 table = RandomTable(gen, c.storage);
            for (int axis = 0; axis < variables; ++axis) {
                const int order = c.upper[static_cast<std::size_t>(axis)] + 1;
                ExpectMatchesReference(table, axis, c.upper, RandomBasis(gen, order, trial % 2 == 1));
            }
        }
    }
}

TEST(SolveAlongVariableFastPath, BitIdenticalOnATableLargeEnoughForTwoThreads)
{
    std::mt19937 gen(99);
    const std::array<int, 4> upper{23, 23, 23, 23};
    const Table4 table = RandomTable(gen, upper);
    for (int axis = 0; axis < 4; ++axis)
        ExpectMatchesReference(table, axis, upper, RandomBasis(gen, 24, axis % 2 == 0));
}

TEST(SolveAlongVariableFastPath, SingularCaseStopsPartWayLikeTheReference)
{
    std::mt19937 gen(7);
    const std::array<int, 4> upper{5, 37, 3, 0};
    const Table4 table = RandomTable(gen, upper);
    // Two equal values: two equal rows, a zero left on the last diagonal entry.
    const std::vector<double> values{0.1, 0.3, 0.5, 0.7, 0.3, 0.9};
    const SquareMatrix equalRows = BuildBasisMatrix(values, 6, false, 0.0, 1.0);
    ASSERT_TRUE(FactorBasis(equalRows).singular());
    ExpectMatchesReference(table, 0, upper, equalRows);

    // A zero column: a skipped elimination step and a zero on the diagonal
    // part-way, so the back substitution solves the rows below it and stops.
    SquareMatrix zeroColumn = RandomBasis(gen, 38, true);
    for (int k = 0; k < 38; ++k)
        zeroColumn(k, 10) = 0.0;
    const LuFactors f = FactorBasis(zeroColumn);
    ASSERT_TRUE(f.stepSkipped[10]);
    ASSERT_EQ(f.stopRow, 10);
    ExpectMatchesReference(table, 1, upper, zeroColumn);
}

TEST(SolveAlongVariableFastPath, NonFiniteEntriesPropagateLikeTheReference)
{
    std::mt19937 gen(3);
    const std::array<int, 4> upper{40, 2, 0, 0};
    Table4 table = RandomTable(gen, upper);
    table(3, 1, 0, 0) = std::numeric_limits<double>::infinity();
    table(5, 2, 0, 0) = std::numeric_limits<double>::quiet_NaN();
    table(0, 0, 0, 0) = -0.0;
    ExpectMatchesReference(table, 0, upper, RandomBasis(gen, 41, false));
    ExpectMatchesReference(table, 1, upper, MatrixOf({{0, 1, 0}, {1e-300, 0, 1}, {1, 0, 0}}));
}

} // namespace
} // namespace tavex
