#include "engine/solver.h"

#include "engine/basis.h"
#include "engine/basis_of_values.h"
#include "engine/kernels/line_kernels.h"
#include "engine/kernels/tile_transfer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace tavex {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

// The one-line algorithm as written down, step by step: elimination with row
// exchanges applied to the matrix and every line at once, then back
// substitution. Slow and plain: the yardstick for the fast solver.
bool ReferenceSolve(Table4& coef, int i, const std::array<int, 4>& upper, SquareMatrix a)
{
    std::vector<std::array<int, 4>> firsts;
    std::array<int, 4> at{};
    for (at[3] = 0; at[3] <= upper[3]; ++at[3])
        for (at[2] = 0; at[2] <= upper[2]; ++at[2])
            for (at[1] = 0; at[1] <= upper[1]; ++at[1])
                for (at[0] = 0; at[0] <= upper[0]; ++at[0])
                    if (at[i] == 0)
                        firsts.push_back(at);
    const auto forEachLine = [&](const auto& visit) {
        for (std::array<int, 4> e : firsts)
            visit([&](int k) -> double& { e[i] = k; return coef(e[0], e[1], e[2], e[3]); });
    };
    const auto isZero = [](double x) { return x == 0.0 || std::isnan(x); };
    const int m = upper[i];
    for (int r = 0; r < m; ++r) {
        int p = r;
        for (int k = r + 1; k <= m; ++k)
            if (std::fabs(a(k, r)) > std::fabs(a(p, r)))
                p = k;
        if (isZero(a(p, r)))
            continue;
        for (int j = 0; j <= m; ++j)
            std::swap(a(r, j), a(p, j));
        forEachLine([&](const auto& line) { std::swap(line(r), line(p)); });
        for (int k = r + 1; k <= m; ++k) {
            const double f = a(k, r) / a(r, r);
            for (int j = r; j <= m; ++j)
                a(k, j) = a(k, j) - f * a(r, j);
            forEachLine([&](const auto& line) { line(k) = line(k) - f * line(r); });
        }
    }
    for (int k = m; k >= 0; --k) {
        if (isZero(a(k, k)))
            return true;
        forEachLine([&](const auto& line) {
            double s = 0.0;
            for (int j = k + 1; j <= m; ++j)
                s = s + a(k, j) * line(j);
            line(k) = (line(k) - s) / a(k, k);
        });
    }
    return false;
}

SquareMatrix MatrixOf(std::initializer_list<std::initializer_list<double>> rows)
{
    SquareMatrix a(static_cast<int>(rows.size()));
    int r = 0;
    for (const auto& row : rows)
        std::copy(row.begin(), row.end(), a.Row(r++));
    return a;
}

bool BitIdentical(const Table4& a, const Table4& b)
{
    return a.extents() == b.extents() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

Table4 RandomTable(std::mt19937& gen, const std::array<int, 4>& storage)
{
    std::uniform_real_distribution<double> value(-10.0, 10.0);
    Table4 t;
    t.Reshape(storage);
    std::generate(t.data(), t.data() + t.size(), [&] { return value(gen); });
    return t;
}

// A basis matrix as Compute builds it, from random sorted values.
SquareMatrix RandomBasis(std::mt19937& gen, int order, bool trigonometric)
{
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    std::vector<double> values(static_cast<std::size_t>(order));
    std::generate(values.begin(), values.end(), [&] { return value(gen); });
    std::sort(values.begin(), values.end());
    return BasisMatrixOf(values, order, trigonometric, 0.1, 2.5);
}

// A basis whose column `column` is zero: that elimination step is skipped and
// the back substitution stops there, having solved the rows below.
SquareMatrix ZeroColumnBasis(std::mt19937& gen, int order, int column)
{
    SquareMatrix a = RandomBasis(gen, order, true);
    for (int k = 0; k < order; ++k)
        a(k, column) = 0.0;
    return a;
}

void ExpectMatchesReference(const Table4& table, int axis, const std::array<int, 4>& upper, const SquareMatrix& a)
{
    Table4 expected = table;
    const bool expectedSingular = ReferenceSolve(expected, axis, upper, a);
    for (const int threads : {1, 2}) {
        Table4 actual = table;
        EXPECT_EQ(SolveAlongVariable(actual, axis, upper, a, threads), expectedSingular);
        EXPECT_TRUE(BitIdentical(actual, expected)) << "axis " << axis << ", " << threads << " threads";
    }
}

TEST(SolveAlongVariable, OneLineEdgeCases)
{
    struct Case { const char* what; SquareMatrix a; std::vector<double> line, solved; };
    const Case cases[] = {
        {"a single value stays, its sign too", MatrixOf({{1}}), {-0.0}, {-0.0}},
        {"a zero leading entry exchanges the rows", MatrixOf({{0, 1}, {1, 0}}), {5, 7}, {7, 5}},
        {"equal magnitudes keep the first row as pivot", MatrixOf({{1, 2}, {-1, 2}}), {1, 3}, {-1, 1}},
        {"a tiny pivot is taken, though the result overflows", MatrixOf({{1e-300, 0}, {0, 1}}), {1e10, 2}, {kInf, 2}},
    };
    for (const Case& c : cases) {
        const int upper = static_cast<int>(c.line.size()) - 1;
        Table4 t;
        t.Reshape({upper, 0, 0, 0});
        std::copy(c.line.begin(), c.line.end(), t.data());
        EXPECT_FALSE(SolveAlongVariable(t, 0, {upper, 0, 0, 0}, c.a, 1)) << c.what;
        EXPECT_EQ(std::memcmp(t.data(), c.solved.data(), c.solved.size() * sizeof(double)), 0) << c.what;
    }
}

TEST(SolveAlongVariable, BitIdenticalToTheReferenceOnRandomTables)
{
    std::mt19937 gen(1234);
    std::uniform_int_distribution<int> spare(0, 2);
    for (int variables = 1; variables <= 4; ++variables) {
        std::uniform_int_distribution<int> count(1, variables <= 2 ? 39 : 8);
        for (int trial = 0; trial < 6; ++trial) {
            std::array<int, 4> upper{}, storage{}; // storage may exceed the counts
            for (int d = 0; d < variables; ++d)
                upper[d] = count(gen);
            for (int d = 0; d < 4; ++d)
                storage[d] = upper[d] + (spare(gen) == 0 ? 1 : 0);
            const Table4 table = RandomTable(gen, storage);
            for (int axis = 0; axis < variables; ++axis)
                ExpectMatchesReference(table, axis, upper, RandomBasis(gen, upper[axis] + 1, trial % 2 == 1));
        }
    }
    // Large enough for the second thread to take part.
    const std::array<int, 4> big{23, 23, 23, 23};
    const Table4 table = RandomTable(gen, big);
    for (int axis = 0; axis < 4; ++axis)
        ExpectMatchesReference(table, axis, big, RandomBasis(gen, 24, axis % 2 == 0));
}

TEST(SolveAlongVariable, SingularAndNonFiniteCasesLikeTheReference)
{
    std::mt19937 gen(7);
    const std::array<int, 4> upper{5, 37, 2, 0};
    Table4 table = RandomTable(gen, upper);
    // Two equal values: two equal rows, a zero left on the last diagonal entry.
    ExpectMatchesReference(table, 0, upper, BasisMatrixOf({0.1, 0.3, 0.5, 0.7, 0.3, 0.9}, 6, false, 0.0, 1.0));
    const SquareMatrix zeroColumn = ZeroColumnBasis(gen, 38, 10);
    ASSERT_EQ(FactorBasis(zeroColumn).stopRow, 10);
    ExpectMatchesReference(table, 1, upper, zeroColumn);

    table(3, 1, 0, 0) = kInf;
    table(5, 2, 0, 0) = kNan;
    table(0, 0, 0, 0) = -0.0;
    ExpectMatchesReference(table, 0, upper, RandomBasis(gen, 6, false));
    ExpectMatchesReference(table, 2, upper, MatrixOf({{0, 1, 0}, {1e-300, 0, 1}, {1, 0, 0}}));
    // A NaN pivot skips its step like a zero one.
    ExpectMatchesReference(table, 2, upper, MatrixOf({{kNan, 1, 0}, {1, 1, 0}, {0, 0, 1}}));
}

TEST(ApplyFactorsAlongVariables, BlockByBlockEqualsOneVariableAfterTheOther)
{
    std::mt19937 gen(11);
    const std::array<int, 4> upper{9, 12, 7, 10};
    const Table4 table = RandomTable(gen, {10, 12, 8, 10}); // spare entries take no part
    for (int variables = 2; variables <= 4; ++variables) {
        std::vector<LuFactors> factors;
        for (int i = 0; i < variables; ++i)
            factors.push_back(FactorBasis(RandomBasis(gen, upper[i] + 1, i % 2 == 1)));
        if (variables == 2) // a singular last variable stops its back substitution in every block
            factors[1] = FactorBasis(ZeroColumnBasis(gen, upper[1] + 1, 4));
        Table4 expected = table;
        for (int i = 0; i < variables; ++i)
            ApplyFactors(expected, LineSelection{i, upper, {}}, factors[static_cast<std::size_t>(i)], 1);
        // Blocks of one line, of a few, and of the whole table.
        for (const std::size_t blockValues : {std::size_t{1}, std::size_t{50}, std::size_t{777}, std::size_t{1} << 20})
            for (const int threads : {1, 2}) {
                Table4 actual = table;
                ApplyFactorsAlongVariables(actual, upper, factors, threads, SolveBlocking{1, blockValues});
                EXPECT_TRUE(BitIdentical(actual, expected))
                    << variables << " variables, blocks of " << blockValues << ", " << threads << " threads";
            }
    }
}

TEST(LineKernels, EveryInstructionSetAgreesWithTheBaseline)
{
    std::mt19937 gen(21);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    for (const int order : {1, 2, 7, 33}) {
        std::vector<double> lu(static_cast<std::size_t>(order) * order);
        std::generate(lu.begin(), lu.end(), [&] { return value(gen); });
        std::vector<unsigned char> skipped(static_cast<std::size_t>(order), 0);
        if (order > 3)
            skipped[2] = 1;
        const int stopRow = order > 5 ? 3 : -1;
        const std::size_t count = static_cast<std::size_t>(order) * kTileLanes;
        std::vector<double> input(2 * count);
        std::generate(input.begin(), input.end(), [&] { return value(gen); });
        input[5] = -0.0;
        input[9] = kInf;

        const auto solve = [&](KernelIsa isa) {
            const TileBuffer first = MakeTile(order), second = MakeTile(order);
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
        for (const KernelIsa isa : SupportedKernelIsas())
            EXPECT_EQ(std::memcmp(solve(isa).data(), baseline.data(), baseline.size() * sizeof(double)), 0)
                << "order " << order << ", instruction set " << static_cast<int>(isa);
    }
}

} // namespace
} // namespace tavex
