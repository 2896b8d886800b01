#include "engine/solver.h"

#include "engine/line_kernels.h"
#include "engine/parallel_for.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <memory>
#include <new>

namespace tavex {

namespace {

// Lanes are the selected lines numbered so that, where the memory allows it,
// neighbouring lanes are neighbouring lines: the lowest other dimension varies
// fastest ("runs"), the two remaining ones above it.
class LaneLayout {
public:
    LaneLayout(const Table4& table, const LineSelection& lines)
    {
        entryStride_ = table.Stride(lines.axis);
        int slot = 0;
        for (int d = 0; d < 4; ++d) {
            if (d == lines.axis)
                continue;
            const std::size_t count = static_cast<std::size_t>(lines.upper[static_cast<std::size_t>(d)]) + 1;
            if (slot == 0) {
                runLength_ = count;
                laneStride_ = table.Stride(d);
            } else {
                outerCount_[slot - 1] = count;
                outerStride_[slot - 1] = table.Stride(d);
            }
            ++slot;
        }
        laneCount_ = runLength_ * outerCount_[0] * outerCount_[1];
    }

    std::size_t laneCount() const { return laneCount_; }
    std::size_t entryStride() const { return entryStride_; }
    // Neighbouring lanes of a run are neighbours in memory.
    bool lanesContiguous() const { return laneStride_ == 1; }

    // Calls visit(offset of the lane's entry 0, lane count, first tile lane) for
    // each stretch of lanes in [first, last) that lie at laneStride from each other.
    template <typename Visit>
    void ForEachStretch(std::size_t first, std::size_t last, Visit&& visit) const
    {
        std::size_t lane = first;
        while (lane < last) {
            const std::size_t run = lane / runLength_;
            const std::size_t position = lane % runLength_;
            const std::size_t count = std::min(runLength_ - position, last - lane);
            const std::size_t base = (run % outerCount_[0]) * outerStride_[0]
                                   + (run / outerCount_[0]) * outerStride_[1]
                                   + position * laneStride_;
            visit(base, count, static_cast<int>(lane - first));
            lane += count;
        }
    }

    std::size_t laneStride() const { return laneStride_; }

private:
    std::size_t entryStride_ = 1;
    std::size_t runLength_ = 1;
    std::size_t laneStride_ = 1;
    std::array<std::size_t, 2> outerCount_{1, 1};
    std::array<std::size_t, 2> outerStride_{0, 0};
    std::size_t laneCount_ = 1;
};

struct AlignedDelete {
    void operator()(double* p) const { ::operator delete[](p, std::align_val_t{64}); }
};
using Tile = std::unique_ptr<double[], AlignedDelete>;

Tile MakeTile(int order)
{
    const std::size_t count = static_cast<std::size_t>(order) * kTileLanes;
    return Tile(new (std::align_val_t{64}) double[count]);
}

// Reads the lanes [first, last) into the tile, row k from entry rowOrigin[k]:
// the row exchanges of the elimination, all done at once. Unused lanes are zeroed.
void GatherTile(double* tile, const double* table, const LaneLayout& layout, std::size_t first,
                std::size_t last, const LuFactors& factors)
{
    const int order = factors.order;
    const std::size_t stride = layout.entryStride();
    const int used = static_cast<int>(last - first);
    if (used < kTileLanes)
        for (int k = 0; k < order; ++k)
            std::fill(tile + k * kTileLanes + used, tile + (k + 1) * kTileLanes, 0.0);
    const int* origin = factors.rowOrigin.data();
    const std::size_t laneStride = layout.laneStride();
    layout.ForEachStretch(first, last, [&](std::size_t base, std::size_t count, int lane0) {
        if (layout.lanesContiguous()) {
            for (int k = 0; k < order; ++k) {
                const double* source = table + base + static_cast<std::size_t>(origin[k]) * stride;
                std::copy(source, source + count, tile + k * kTileLanes + lane0);
            }
        } else {
            for (std::size_t l = 0; l < count; ++l) {
                const double* line = table + base + l * laneStride;
                double* column = tile + lane0 + static_cast<int>(l);
                for (int k = 0; k < order; ++k)
                    column[k * kTileLanes] = line[static_cast<std::size_t>(origin[k]) * stride];
            }
        }
    });
}

void ScatterTile(const double* tile, double* table, const LaneLayout& layout, std::size_t first,
                 std::size_t last, int order)
{
    const std::size_t stride = layout.entryStride();
    const std::size_t laneStride = layout.laneStride();
    layout.ForEachStretch(first, last, [&](std::size_t base, std::size_t count, int lane0) {
        if (layout.lanesContiguous()) {
            for (int k = 0; k < order; ++k) {
                const double* source = tile + k * kTileLanes + lane0;
                std::copy(source, source + count, table + base + static_cast<std::size_t>(k) * stride);
            }
        } else {
            for (std::size_t l = 0; l < count; ++l) {
                double* line = table + base + l * laneStride;
                const double* column = tile + lane0 + static_cast<int>(l);
                for (int k = 0; k < order; ++k)
                    line[static_cast<std::size_t>(k) * stride] = column[k * kTileLanes];
            }
        }
    });
}

// Below this much arithmetic a second thread costs more than it saves.
constexpr double kWorkPerThread = 4.0e6;

} // namespace

void ApplyFactors(Table4& table, const LineSelection& lines, const LuFactors& factors, int threads)
{
    const int order = factors.order;
    assert(order == lines.upper[static_cast<std::size_t>(lines.axis)] + 1);
    for (int d = 0; d < 4; ++d)
        assert(lines.upper[static_cast<std::size_t>(d)] < table.extent(d));

    const LaneLayout layout(table, lines);
    const std::size_t tiles = (layout.laneCount() + kTileLanes - 1) / kTileLanes;
    const double work = static_cast<double>(layout.laneCount()) * order * order;
    threads = std::min(ResolveThreadCount(threads), std::max(1, static_cast<int>(work / kWorkPerThread)));

    double* data = table.data();
    const double* lu = factors.lu.Row(0);
    ParallelFor(tiles, threads, [&](std::size_t begin, std::size_t end) {
        const Tile tile = MakeTile(order);
        for (std::size_t t = begin; t < end; ++t) {
            const std::size_t first = t * kTileLanes;
            const std::size_t last = std::min(layout.laneCount(), first + kTileLanes);
            GatherTile(tile.get(), data, layout, first, last, factors);
            ForwardEliminateTile(tile.get(), order, lu, factors.stepSkipped.data());
            BackSubstituteTile(tile.get(), order, lu, factors.stopRow);
            ScatterTile(tile.get(), data, layout, first, last, order);
        }
    });
}

bool SolveAlongVariable(Table4& coef, int i, const std::array<int, 4>& upper,
                        SquareMatrix basisMatrix, int threads)
{
    const LuFactors factors = FactorBasis(std::move(basisMatrix));
    ApplyFactors(coef, LineSelection{i, upper}, factors, threads);
    return factors.singular();
}

} // namespace tavex
