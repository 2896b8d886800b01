#include "engine/basis.h"
#include "engine/lu_factors.h"
#include "engine/reference_solver.h"
#include "engine/kernels/line_kernels.h"
#include "engine/solver.h"
#include "engine/kernels/tile_transfer.h"

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

bool BitIdentical(const Table4& a, const Table4& b)
{
    return a.extents() == b.extents() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

// --- the one-line edge cases ---

TEST(SolveAlongVariable, OneLineEdgeCases)
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* what;
        SquareMatrix a;
        std::vector<double> line;
        std::vector<double> solved;
        bool singular;
    };
    const Case cases[] = {
        {"a single value stays, its sign too", MatrixOf({{1}}), {-0.0}, {-0.0}, false},
        {"a zero leading entry exchanges the rows", MatrixOf({{0, 1}, {1, 0}}), {5, 7}, {7, 5}, false},
        {"equal magnitudes keep the first row as pivot", MatrixOf({{1, 2}, {-1, 2}}), {1, 3}, {-1, 1}, false},
        {"a tiny pivot is taken, though the result overflows", MatrixOf({{1e-300, 0}, {0, 1}}), {1e10, 2},
         {inf, 2}, false},
    };
    for (const Case& c : cases) {
        Table4 t;
        t.Reshape({static_cast<int>(c.line.size()) - 1, 0, 0, 0});
        std::copy(c.line.begin(), c.line.end(), t.data());
        EXPECT_EQ(SolveAlongVariable(t, 0, {static_cast<int>(c.line.size()) - 1, 0, 0, 0}, c.a, 1), c.singular)
            << c.what;
        for (std::size_t k = 0; k < c.line.size(); ++k) {
            EXPECT_EQ(t.data()[k], c.solved[k]) << c.what;
            EXPECT_EQ(std::signbit(t.data()[k]), std::signbit(c.solved[k])) << c.what;
        }
    }
}

TEST(FactorBasis, EqualRowsAndNanPivotsAreSingularWithoutDividingByZero)
{
    const LuFactors equalRows = FactorBasis(MatrixOf({{1, 2, 4}, {1, 3, 9}, {1, 2, 4}}));
    EXPECT_TRUE(equalRows.singular());
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_TRUE(std::isfinite(equalRows.lu(r, c)));
    const LuFactors nanPivot = FactorBasis(MatrixOf({{std::numeric_limits<double>::quiet_NaN(), 1}, {1, 1}}));
    EXPECT_TRUE(nanPivot.stepSkipped[0]);
    EXPECT_EQ(nanPivot.stopRow, 0);
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

// --- two variables per pass, block by block ---

std::vector<LuFactors> RandomFactors(std::mt19937& gen, const std::array<int, 4>& upper, int variables)
{
    std::vector<LuFactors> factors;
    for (int i = 0; i < variables; ++i)
        factors.push_back(FactorBasis(RandomBasis(gen, upper[static_cast<std::size_t>(i)] + 1, i % 2 == 1)));
    return factors;
}

TEST(ApplyFactorsAlongVariables, BlockByBlockEqualsOneVariableAfterTheOther)
{
    std::mt19937 gen(11);
    const std::array<int, 4> upper{9, 12, 7, 10};
    const std::array<int, 4> storage{10, 12, 8, 10}; // spare entries take no part
    const Table4 table = RandomTable(gen, storage);
    for (int variables = 2; variables <= 4; ++variables) {
        const std::vector<LuFactors> factors = RandomFactors(gen, upper, variables);
        Table4 expected = table;
        for (int i = 0; i < variables; ++i)
            ApplyFactors(expected, LineSelection{i, upper, {}}, factors[static_cast<std::size_t>(i)], 1);
        // Blocks of one line, of a few, and of the whole table; one thread and two.
        for (const std::size_t blockValues : {std::size_t{1}, std::size_t{50}, std::size_t{777}, std::size_t{1} << 20}) {
            for (const int threads : {1, 2}) {
                Table4 actual = table;
                ApplyFactorsAlongVariables(actual, upper, factors, threads, SolveBlocking{1, blockValues});
                EXPECT_TRUE(BitIdentical(actual, expected))
                    << variables << " variables, blocks of " << blockValues << ", " << threads << " threads";
            }
        }
    }
}

TEST(ApplyFactorsAlongVariables, SingularLastVariableStopsItsBackSubstitutionInEveryBlock)
{
    std::mt19937 gen(12);
    const std::array<int, 4> upper{11, 8, 0, 0};
    const Table4 table = RandomTable(gen, upper);
    std::vector<LuFactors> factors = RandomFactors(gen, upper, 1);
    SquareMatrix zeroColumn = RandomBasis(gen, 9, false);
    for (int k = 0; k < 9; ++k)
        zeroColumn(k, 4) = 0.0;
    factors.push_back(FactorBasis(zeroColumn));
    ASSERT_EQ(factors.back().stopRow, 4);

    Table4 expected = table;
    ApplyFactors(expected, LineSelection{0, upper, {}}, factors[0], 1);
    EXPECT_TRUE(testing::ReferenceSolveAlongVariable(expected, 1, upper, zeroColumn));
    Table4 actual = table;
    ApplyFactorsAlongVariables(actual, upper, factors, 2, SolveBlocking{1, 30});
    EXPECT_TRUE(BitIdentical(actual, expected));
}

// --- every instruction set the processor has gives the same bits ---

TEST(LineKernels, EveryInstructionSetAgreesWithTheBaseline)
{
    std::mt19937 gen(21);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    for (const int order : {1, 2, 7, 33}) {
        std::vector<double> lu(static_cast<std::size_t>(order) * order);
        for (auto& x : lu)
            x = value(gen);
        std::vector<unsigned char> skipped(static_cast<std::size_t>(order), 0);
        if (order > 3)
            skipped[2] = 1;
        const int stopRow = order > 5 ? 3 : -1;
        const std::size_t count = static_cast<std::size_t>(order) * kTileLanes;
        std::vector<double> input(2 * count);
        for (auto& x : input)
            x = value(gen);
        input[5] = -0.0;
        input[9] = std::numeric_limits<double>::infinity();

        const auto solve = [&](KernelIsa isa) {
            const TileBuffer first = MakeTile(order);
            const TileBuffer second = MakeTile(order);
            std::copy(input.begin(), input.begin() + static_cast<std::ptrdiff_t>(count), first.get());
            std::copy(input.begin() + static_cast<std::ptrdiff_t>(count), input.end(), second.get());
            ForwardEliminateTile(first.get(), order, lu.data(), skipped.data(), isa);
            ForwardEliminateTile(second.get(), order, lu.data(), skipped.data(), isa);
            BackSubstituteTiles(first.get(), second.get(), order, lu.data(), stopRow, isa);
            std::vector<double> out(first.get(), first.get() + count);
            out.insert(out.end(), second.get(), second.get() + count);
            return out;
        };
        const std::vector<double> baseline = solve(KernelIsa::kBaseline);
        for (const KernelIsa isa : SupportedKernelIsas()) {
            const std::vector<double> result = solve(isa);
            EXPECT_EQ(std::memcmp(result.data(), baseline.data(), result.size() * sizeof(double)), 0)
                << "order " << order << ", instruction set " << static_cast<int>(isa);
        }
    }
}

} // namespace
} // namespace tavex
