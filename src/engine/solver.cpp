#include "engine/solver.h"

#include "engine/kernels/line_kernels.h"
#include "base/parallel_for.h"
#include "engine/kernels/tile_transfer.h"
#include "engine/table_blocks.h"
#include "engine/thread_policy.h"

#include <algorithm>
#include <cassert>
#include <utility>
#include <vector>

namespace tavex {

namespace {

// The two tiles a thread works with (the back substitution likes company).
struct TileScratch {
    explicit TileScratch(int order)
        : first(MakeTile(order)), second(MakeTile(order))
    {
    }
    TileBuffer first;
    TileBuffer second;
};

// Solves tiles [tileBegin, tileEnd) of the layout, two at a time.
void SolveTiles(double* data, const LaneLayout& layout, const LuFactors& factors, TileScratch& scratch,
                std::size_t tileBegin, std::size_t tileEnd)
{
    const int order = factors.order;
    const double* lu = factors.lu.Row(0);
    const unsigned char* skipped = factors.stepSkipped.data();
    const std::size_t lanes = layout.laneCount();
    const auto lanesOf = [&](std::size_t t) {
        return std::pair{t * kTileLanes, std::min(lanes, (t + 1) * kTileLanes)};
    };
    for (std::size_t t = tileBegin; t < tileEnd; t += 2) {
        const bool two = t + 1 < tileEnd;
        const auto [firstA, lastA] = lanesOf(t);
        GatherTile(scratch.first.get(), data, layout, firstA, lastA, factors);
        ForwardEliminateTile(scratch.first.get(), order, lu, skipped);
        if (two) {
            const auto [firstB, lastB] = lanesOf(t + 1);
            GatherTile(scratch.second.get(), data, layout, firstB, lastB, factors);
            ForwardEliminateTile(scratch.second.get(), order, lu, skipped);
        }
        BackSubstituteTiles(scratch.first.get(), two ? scratch.second.get() : nullptr, order, lu, factors.stopRow);
        ScatterTile(scratch.first.get(), data, layout, firstA, lastA, order);
        if (two) {
            const auto [firstB, lastB] = lanesOf(t + 1);
            ScatterTile(scratch.second.get(), data, layout, firstB, lastB, order);
        }
    }
}

std::size_t TileCount(const LaneLayout& layout)
{
    return (layout.laneCount() + kTileLanes - 1) / kTileLanes;
}

std::size_t Count(const PerVariable<int>& upper, int d)
{
    return static_cast<std::size_t>(upper[static_cast<std::size_t>(d)]) + 1;
}

void ApplyFactorsToPair(Table4& table, const PerVariable<int>& upper, int a, const LuFactors& factorsA,
                        const LuFactors& factorsB, int threads, std::size_t blockValues)
{
    const TableBlocks blocks(upper, a, a + 1, blockValues);
    double values = 1;
    for (int d = 0; d < kMaxVariables; ++d)
        values *= static_cast<double>(Count(upper, d));
    threads = ThreadsFor(values * (factorsA.order + factorsB.order), threads);
    double* data = table.data();
    ParallelFor(blocks.count(), threads, [&](std::size_t begin, std::size_t end) {
        TileScratch scratch(std::max(factorsA.order, factorsB.order));
        for (std::size_t index = begin; index < end; ++index) {
            const LaneLayout alongA(table, blocks.Lines(index, a));
            SolveTiles(data, alongA, factorsA, scratch, 0, TileCount(alongA));
            const LaneLayout alongB(table, blocks.Lines(index, a + 1));
            SolveTiles(data, alongB, factorsB, scratch, 0, TileCount(alongB));
        }
    });
}

} // namespace

void ApplyFactors(Table4& table, const LineSelection& lines, const LuFactors& factors, int threads)
{
    const int order = factors.order;
    assert(order == lines.upper[static_cast<std::size_t>(lines.axis)] + 1);
    for (int d = 0; d < kMaxVariables; ++d)
        assert(lines.lower[static_cast<std::size_t>(d)] >= 0
               && lines.upper[static_cast<std::size_t>(d)] < table.extent(d));

    const LaneLayout layout(table, lines);
    threads = ThreadsFor(static_cast<double>(layout.laneCount()) * order * order, threads);
    double* data = table.data();
    ParallelFor(TileCount(layout), threads, [&](std::size_t begin, std::size_t end) {
        TileScratch scratch(order);
        SolveTiles(data, layout, factors, scratch, begin, end);
    });
}

void ApplyFactorsAlongVariables(Table4& table, const PerVariable<int>& upper,
                                const std::vector<LuFactors>& factors, int threads, const SolveBlocking& blocking)
{
    std::size_t values = 1;
    for (int d = 0; d < kMaxVariables; ++d)
        values *= Count(upper, d);
    const bool fuse = values >= blocking.fuseFromValues;
    const int variables = static_cast<int>(factors.size());
    for (int i = 0; i < variables;) {
        const auto slot = static_cast<std::size_t>(i);
        if (fuse && i + 1 < variables) {
            ApplyFactorsToPair(table, upper, i, factors[slot], factors[slot + 1], threads, blocking.blockValues);
            i += 2;
        } else {
            ApplyFactors(table, LineSelection{i, upper, {}}, factors[slot], threads);
            i += 1;
        }
    }
}

bool SolveAlongVariable(Table4& coef, int i, const PerVariable<int>& upper,
                        SquareMatrix basisMatrix, int threads)
{
    const LuFactors factors = FactorBasis(std::move(basisMatrix));
    ApplyFactors(coef, LineSelection{i, upper, {}}, factors, threads);
    return factors.singular();
}

} // namespace tavex
