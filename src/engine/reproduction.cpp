#include "engine/reproduction.h"

#include "base/memory_share.h"
#include "base/parallel_for.h"
#include "engine/basis.h"
#include "engine/table_blocks.h"
#include "engine/thread_policy.h"
#include "engine/variable_basis.h"
#include "engine/kernels/lane_layout.h"
#include "engine/kernels/stage_kernels.h"
#include "engine/kernels/tile_transfer.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <limits>
#include <mutex>
#include <new>
#include <numeric>

namespace tavex {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// GatherTile reads rows in the order of a factorisation's row exchanges:
// here there are none.
LuFactors UnexchangedRows(int order)
{
    LuFactors rows;
    rows.order = order;
    rows.rowOrigin.resize(static_cast<std::size_t>(order));
    std::iota(rows.rowOrigin.begin(), rows.rowOrigin.end(), 0);
    rows.rowOfEntry = rows.rowOrigin;
    return rows;
}

// |rebuilt - table| relative to |table|, infinite once a difference is not finite.
double RelativeDifference(const DifferenceTally& tally)
{
    if (tally.probe != 0.0)
        return kInfinity;
    if (tally.largestValue == 0.0)
        return tally.largestDifference == 0.0 ? 0.0 : kInfinity;
    return tally.largestDifference / tally.largestValue;
}

// The lines of a block as a table holding just that block has them.
LineSelection WithinBlock(const LineSelection& lines)
{
    LineSelection within{lines.axis, {}, {}};
    for (std::size_t slot = 0; slot < within.upper.size(); ++slot)
        within.upper[slot] = lines.upper[slot] - lines.lower[slot];
    return within;
}

// The table rebuilt from the coefficients: the first variable multiplies
// coef, the later ones what the one before left, and the products of the
// last are compared with the function table as they come, never stored.
// Every product is a sum over j of B(k, j) * c_j, j increasing, from +0
// (stage_kernels.h), whatever the threads or the instruction set.
// Variables 2 and up go first, two a stage, into a working table, then 0 and 1, whose
// blocks are whole slabs of the table, side by side in memory, which the
// comparison reads best. Within a block the products of a stage's first
// variable stay in a table of the block's size, in the caches.
class Rebuild final {
public:
    Rebuild(const ProblemModel& model, const PerVariable<int>& upper, const std::vector<SquareMatrix>& bases,
            KernelIsa isa)
        : model_(model), upper_(upper), bases_(bases), isa_(isa)
    {
        for (int first = 2; first <= model.lastVar; first += 2)
            AddStage(first, std::min(first + 1, model.lastVar));
        AddStage(0, std::min(1, model.lastVar));
        if (stages_.size() > 1) {
            if (!WorkingTableFits(Table4::ElementCount(upper)))
                throw std::bad_alloc();
            working_.Reshape(upper);
        }
    }

    double Figure(int threads)
    {
        DifferenceTally total;
        std::mutex totalMutex;
        for (std::size_t s = 0; s < stages_.size(); ++s) {
            const Stage& stage = stages_[s];
            const Table4& source = s == 0 ? model_.coef : working_;
            const bool final = s + 1 == stages_.size();
            const TableBlocks blocks(upper_, stage.first, stage.last, kBlockValues);
            const int order = std::max(Count(stage.first), Count(stage.last));
            double work = static_cast<double>(Table4::ElementCount(upper_)) * Count(stage.first);
            if (stage.last != stage.first)
                work += static_cast<double>(Table4::ElementCount(upper_)) * Count(stage.last);
            const int stageThreads = ThreadsFor(work, threads);
            ParallelFor(blocks.count(), stageThreads, [&](std::size_t begin, std::size_t end) {
                const TileBuffer tile = MakeTile(order);
                const TileBuffer product = MakeTile(order);
                Table4 block;
                if (stage.first != stage.last)
                    block.Reshape(blocks.BlockUpper());
                DifferenceTally tally;
                for (std::size_t index = begin; index < end; ++index) {
                    const LineSelection first = blocks.Lines(index, stage.first);
                    const LineSelection last = blocks.Lines(index, stage.last);
                    DifferenceTally* compare = final ? &tally : nullptr;
                    if (stage.first == stage.last) {
                        MultiplyLines(source, first, working_, first, compare, tile.get(), product.get());
                        continue;
                    }
                    MultiplyLines(source, first, block, WithinBlock(first), nullptr, tile.get(), product.get());
                    MultiplyLines(block, WithinBlock(last), working_, last, compare, tile.get(), product.get());
                }
                const std::lock_guard lock(totalMutex);
                total.Merge(tally);
            });
        }
        return RelativeDifference(total);
    }

private:
    struct Stage {
        int first, last;
    };

    // Blocks of 1 MiB, like the solver's.
    static constexpr std::size_t kBlockValues = std::size_t{1} << 17;

    int Count(int axis) const { return upper_[static_cast<std::size_t>(axis)] + 1; }

    // Two variables whose slab would not fit a block go one at a time.
    void AddStage(int first, int last)
    {
        if (static_cast<double>(Count(first)) * Count(last) <= kBlockValues) {
            stages_.push_back({first, last});
        } else {
            stages_.push_back({first, first});
            stages_.push_back({last, last});
        }
    }

    // Multiplies the lines `from` of `source` along their axis and stores the
    // products over the lines `to` of `target`, or with a tally compares them
    // with the function table's lines `to` instead.
    void MultiplyLines(const Table4& source, const LineSelection& from, Table4& target, const LineSelection& to,
                       DifferenceTally* tally, double* tile, double* product)
    {
        const int order = Count(from.axis);
        const LaneLayout fromLayout(source, from);
        const LaneLayout toLayout(tally ? model_.funTable : target, to);
        const LuFactors rows = UnexchangedRows(order);
        const double* basis = bases_[static_cast<std::size_t>(from.axis)].Row(0);
        const std::size_t lanes = fromLayout.laneCount();
        for (std::size_t first = 0; first < lanes; first += kTileLanes) {
            const std::size_t last = std::min(lanes, first + kTileLanes);
            GatherTile(tile, source.data(), fromLayout, first, last, rows);
            MultiplyTile(tile, product, order, basis, isa_);
            if (!tally) {
                ScatterTile(product, target.data(), toLayout, first, last, order);
                continue;
            }
            toLayout.ForEachStretch(first, last, [&](std::size_t base, std::size_t count, std::size_t lane0) {
                // The lines compared run along variable 1, their lanes side
                // by side, or along variable 0 when it is the only one.
                assert(toLayout.lanesContiguous() || count == 1);
                TallyTile(product, model_.funTable.data() + base, toLayout.entryStride(), order, lane0, count,
                          *tally, isa_);
            });
        }
    }

    const ProblemModel& model_;
    PerVariable<int> upper_;
    const std::vector<SquareMatrix>& bases_;
    KernelIsa isa_;
    std::vector<Stage> stages_;
    Table4 working_;
};

} // namespace

bool WorkingTableFits(std::size_t count)
{
    return count > 0 && count <= ProblemModel::MostTableElements() * 2 / 3;
}

std::vector<SquareMatrix> BasisMatrices(const ProblemModel& model, int threads)
{
    std::vector<SquareMatrix> bases;
    for (int i = 0; i <= model.lastVar; ++i)
        bases.push_back(BuildBasisMatrix(BasisOf(model, i), threads));
    return bases;
}

double MeasureReproduction(const ProblemModel& model, const std::vector<SquareMatrix>& bases, int threads,
                           KernelIsa isa)
{
    return Rebuild(model, model.UpperIndices(), bases, isa).Figure(threads);
}

double MeasureReproduction(const ProblemModel& model, int threads, KernelIsa isa)
{
    return MeasureReproduction(model, BasisMatrices(model, threads), threads, isa);
}

} // namespace tavex
