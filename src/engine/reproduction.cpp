#include "engine/reproduction.h"

#include "base/memory_share.h"
#include "base/parallel_for.h"
#include "engine/basis.h"
#include "engine/kernels/lane_layout.h"
#include "engine/kernels/tile_transfer.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstring>
#include <limits>
#include <mutex>
#include <new>
#include <numeric>

namespace tavex {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kLargest = std::numeric_limits<double>::max();

// The rebuilt table: the coefficients multiplied by each basis matrix along
// its index, tile by tile as the solver goes (line_kernels.h), so that every
// value gets the same operations whatever the threads or the instruction set:
// the sum over j of B(k, j) * c_j, j increasing, from +0, no fused multiply-add.

using V2 = double __attribute__((vector_size(16)));
using V4 = double __attribute__((vector_size(32)));
using V8 = double __attribute__((vector_size(64)));

// Rows row..row+kRows-1 of the product over kVecs vectors of lanes from
// `lane`: each tile row is read once for kRows products, which keeps the
// multiplier units, not the loads, the limit.
template <typename Vec, int kRows, int kVecs>
[[gnu::always_inline]] inline void MultiplyRows(const double* tile, double* product, int order,
                                                const double* basis, int row, int lane)
{
    constexpr int kWidth = sizeof(Vec) / sizeof(double);
    Vec sum[kRows][kVecs];
#pragma GCC unroll 16
    for (int r = 0; r < kRows; ++r)
#pragma GCC unroll 16
        for (int v = 0; v < kVecs; ++v)
            sum[r][v] = Vec{};
    for (int j = 0; j < order; ++j) {
        const auto* x = reinterpret_cast<const Vec*>(tile + static_cast<std::ptrdiff_t>(j) * kTileLanes + lane);
        Vec values[kVecs];
#pragma GCC unroll 16
        for (int v = 0; v < kVecs; ++v)
            values[v] = x[v];
#pragma GCC unroll 16
        for (int r = 0; r < kRows; ++r) {
            const double b = basis[static_cast<std::ptrdiff_t>(row + r) * order + j];
#pragma GCC unroll 16
            for (int v = 0; v < kVecs; ++v)
                sum[r][v] = sum[r][v] + b * values[v];
        }
    }
#pragma GCC unroll 16
    for (int r = 0; r < kRows; ++r) {
        auto* y = reinterpret_cast<Vec*>(product + static_cast<std::ptrdiff_t>(row + r) * kTileLanes + lane);
#pragma GCC unroll 16
        for (int v = 0; v < kVecs; ++v)
            y[v] = sum[r][v];
    }
    static_assert(kWidth * kVecs <= kTileLanes);
}

template <typename Vec, int kRows, int kVecs>
[[gnu::always_inline]] inline void MultiplyLanes(const double* tile, double* product, int order,
                                                 const double* basis, int lane)
{
    int row = 0;
    for (; row + kRows <= order; row += kRows)
        MultiplyRows<Vec, kRows, kVecs>(tile, product, order, basis, row, lane);
    for (; row < order; ++row)
        MultiplyRows<Vec, 1, kVecs>(tile, product, order, basis, row, lane);
}

// The block sizes keep the sums and one row of lanes within the registers.
void MultiplyBaseline(const double* tile, double* product, int order, const double* basis)
{
    for (int lane = 0; lane < kTileLanes; lane += 8)
        MultiplyLanes<V2, 2, 4>(tile, product, order, basis, lane);
}

#if defined(__x86_64__) && defined(__GNUC__)
#define TAVEX_HAVE_WIDE_PRODUCTS 1

[[gnu::target("avx2")]] void MultiplyAvx2(const double* tile, double* product, int order, const double* basis)
{
    for (int lane = 0; lane < kTileLanes; lane += 16)
        MultiplyLanes<V4, 2, 4>(tile, product, order, basis, lane);
}

[[gnu::target("avx512f")]] void MultiplyAvx512(const double* tile, double* product, int order, const double* basis)
{
    MultiplyLanes<V8, 4, 4>(tile, product, order, basis, 0);
}
#endif

static_assert(kTileLanes == 32, "the products above cover 32 lanes");

// product := basis * tile, basis row-major order x order.
void MultiplyTile(const double* tile, double* product, int order, const double* basis, KernelIsa isa)
{
    switch (isa) {
#ifdef TAVEX_HAVE_WIDE_PRODUCTS
    case KernelIsa::kAvx512: return MultiplyAvx512(tile, product, order, basis);
    case KernelIsa::kAvx2: return MultiplyAvx2(tile, product, order, basis);
#endif
    default: return MultiplyBaseline(tile, product, order, basis);
    }
}

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

// The largest |rebuilt - table| and |table| seen, and a probe that is 0 while
// every difference is finite and NaN from the first one that is not.
struct Tally {
    double largestDifference = 0.0;
    double largestValue = 0.0;
    double probe = 0.0;

    // Maxima are exact and a NaN survives any sum, so the tally does not
    // depend on how the lanes were shared out or how wide the vectors are.
    void Merge(const Tally& other)
    {
        largestDifference = std::max(largestDifference, other.largestDifference);
        largestValue = std::max(largestValue, other.largestValue);
        probe += other.probe;
    }

    double Figure() const
    {
        if (probe != 0.0)
            return kInfinity;
        if (largestValue == 0.0)
            return largestDifference == 0.0 ? 0.0 : kInfinity;
        return largestDifference / largestValue;
    }
};

// Tallies count values of every product row, from lane lane0, against the
// table's values of the same lines, which lie side by side from
// table + k * entryStride for row k.
template <typename Vec>
[[gnu::always_inline]] inline void TallyRows(const double* product, const double* table, std::size_t entryStride,
                                             int order, std::size_t lane0, std::size_t count, Tally& tally)
{
    constexpr std::size_t kWidth = sizeof(Vec) / sizeof(double);
    Vec difference{}, value{}, probe{};
    double differenceRest = 0.0, valueRest = 0.0, probeRest = 0.0;
    for (int k = 0; k < order; ++k) {
        const double* rebuilt = product + static_cast<std::size_t>(k) * kTileLanes + lane0;
        const double* values = table + static_cast<std::size_t>(k) * entryStride;
        std::size_t i = 0;
        for (; i + kWidth <= count; i += kWidth) {
            Vec r, t;
            std::memcpy(&r, rebuilt + i, sizeof r);
            std::memcpy(&t, values + i, sizeof t);
            const Vec e = r - t;
            const Vec d = e < 0.0 ? -e : e;
            probe = probe + (d - d); // 0 for a finite d, NaN otherwise
            difference = d > difference ? d : difference;
            const Vec a = t < 0.0 ? -t : t;
            value = a > value ? a : value;
        }
        for (; i < count; ++i) {
            const double d = std::fabs(rebuilt[i] - values[i]);
            probeRest += d - d;
            differenceRest = std::max(differenceRest, d);
            valueRest = std::max(valueRest, std::fabs(values[i]));
        }
    }
    Tally rows{differenceRest, valueRest, probeRest};
    for (std::size_t lane = 0; lane < kWidth; ++lane)
        rows.Merge({difference[lane], value[lane], probe[lane]});
    tally.Merge(rows);
}

void TallyBaseline(const double* product, const double* table, std::size_t entryStride, int order,
                   std::size_t lane0, std::size_t count, Tally& tally)
{
    TallyRows<V2>(product, table, entryStride, order, lane0, count, tally);
}

#ifdef TAVEX_HAVE_WIDE_PRODUCTS
[[gnu::target("avx2")]] void TallyAvx2(const double* product, const double* table, std::size_t entryStride,
                                       int order, std::size_t lane0, std::size_t count, Tally& tally)
{
    TallyRows<V4>(product, table, entryStride, order, lane0, count, tally);
}

[[gnu::target("avx512f")]] void TallyAvx512(const double* product, const double* table, std::size_t entryStride,
                                            int order, std::size_t lane0, std::size_t count, Tally& tally)
{
    TallyRows<V8>(product, table, entryStride, order, lane0, count, tally);
}
#endif

void TallyTile(const double* product, const double* table, std::size_t entryStride, int order, std::size_t lane0,
               std::size_t count, Tally& tally, KernelIsa isa)
{
    switch (isa) {
#ifdef TAVEX_HAVE_WIDE_PRODUCTS
    case KernelIsa::kAvx512: return TallyAvx512(product, table, entryStride, order, lane0, count, tally);
    case KernelIsa::kAvx2: return TallyAvx2(product, table, entryStride, order, lane0, count, tally);
#endif
    default: return TallyBaseline(product, table, entryStride, order, lane0, count, tally);
    }
}

std::vector<SquareMatrix> BasesFor(const ProblemModel& model, const std::array<int, 4>& upper, int threads)
{
    std::vector<SquareMatrix> bases;
    for (int i = 0; i <= model.lastVar; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        const bool trigonometric = model.IsTrigonometric(i);
        bases.push_back(BuildBasisMatrix(model.Var(i).values, upper[slot] + 1, trigonometric, model.Var(slot).center,
                                         AngleFactor(trigonometric, model.Var(slot).period), threads));
    }
    return bases;
}

// Below this much arithmetic a second thread costs more than it saves (as in the solver).
constexpr double kWorkPerThread = 4.0e6;

// A stage rebuilds along one or two neighbouring variables, block by block:
// whole along its variables, cut along the others so that a block holds
// about blockValues values and stays in the processor's caches from one
// variable to the next. A line along a stage variable lies within one block.
class StageBlocks final {
public:
    StageBlocks(const std::array<int, 4>& upper, int firstAxis, int lastAxis, std::size_t blockValues)
        : upper_(upper)
    {
        std::size_t whole = 1;
        for (int d = firstAxis; d <= lastAxis; ++d)
            whole *= Count(d);
        std::size_t room = std::max<std::size_t>(1, blockValues / whole);
        for (int d = 0; d < 4; ++d) {
            const auto slot = static_cast<std::size_t>(d);
            if (d >= firstAxis && d <= lastAxis) {
                length_[slot] = Count(d);
                continue;
            }
            length_[slot] = std::min(Count(d), room);
            blocks_[slot] = (Count(d) + length_[slot] - 1) / length_[slot];
            room = length_[slot] == Count(d) ? std::max<std::size_t>(1, room / Count(d)) : 1;
        }
    }

    std::size_t count() const { return blocks_[0] * blocks_[1] * blocks_[2] * blocks_[3]; }

    // The upper indices of a table that holds any block.
    std::array<int, 4> BlockUpper() const
    {
        std::array<int, 4> upper{};
        for (std::size_t slot = 0; slot < 4; ++slot)
            upper[slot] = static_cast<int>(length_[slot]) - 1;
        return upper;
    }

    // The lines along `axis` within block `index`.
    LineSelection Lines(std::size_t index, int axis) const
    {
        LineSelection lines{axis, upper_, {}};
        for (std::size_t slot = 0; slot < 4; ++slot) {
            const std::size_t start = index % blocks_[slot] * length_[slot];
            index /= blocks_[slot];
            lines.lower[slot] = static_cast<int>(start);
            lines.upper[slot] = static_cast<int>(std::min(Count(static_cast<int>(slot)), start + length_[slot])) - 1;
        }
        return lines;
    }

private:
    std::size_t Count(int d) const { return static_cast<std::size_t>(upper_[static_cast<std::size_t>(d)]) + 1; }

    std::array<int, 4> upper_;
    std::array<std::size_t, 4> length_{1, 1, 1, 1};
    std::array<std::size_t, 4> blocks_{1, 1, 1, 1};
};

// The lines of a block as a table holding just that block has them.
LineSelection WithinBlock(const LineSelection& lines)
{
    LineSelection within{lines.axis, {}, {}};
    for (std::size_t slot = 0; slot < 4; ++slot)
        within.upper[slot] = lines.upper[slot] - lines.lower[slot];
    return within;
}

// The table rebuilt from the coefficients: the first variable multiplies
// coef, the later ones what the one before left, and the products of the
// last are compared with the function table as they come, never stored.
// Variables 2 and 3 go first, into a working table, then 0 and 1, whose
// blocks are whole slabs of the table, side by side in memory, which the
// comparison reads best. Within a block the products of a stage's first
// variable stay in a table of the block's size, in the caches.
class Rebuild final {
public:
    Rebuild(const ProblemModel& model, const std::array<int, 4>& upper, const std::vector<SquareMatrix>& bases,
            KernelIsa isa)
        : model_(model), upper_(upper), bases_(bases), isa_(isa)
    {
        if (model.lastVar >= 2)
            AddStage(2, model.lastVar);
        AddStage(0, std::min(1, model.lastVar));
        if (stages_.size() > 1) {
            if (!WorkingTableFits(Table4::ElementCount(upper)))
                throw std::bad_alloc();
            working_.Reshape(upper);
        }
    }

    double Figure(int threads)
    {
        Tally total;
        std::mutex totalMutex;
        for (std::size_t s = 0; s < stages_.size(); ++s) {
            const Stage& stage = stages_[s];
            const Table4& source = s == 0 ? model_.coef : working_;
            const bool final = s + 1 == stages_.size();
            const StageBlocks blocks(upper_, stage.first, stage.last, kBlockValues);
            const int order = std::max(Count(stage.first), Count(stage.last));
            double work = static_cast<double>(Table4::ElementCount(upper_)) * Count(stage.first);
            if (stage.last != stage.first)
                work += static_cast<double>(Table4::ElementCount(upper_)) * Count(stage.last);
            const int stageThreads =
                std::min(ResolveThreadCount(threads), std::max(1, static_cast<int>(work / kWorkPerThread)));
            ParallelFor(blocks.count(), stageThreads, [&](std::size_t begin, std::size_t end) {
                const TileBuffer tile = MakeTile(order);
                const TileBuffer product = MakeTile(order);
                Table4 block;
                if (stage.first != stage.last)
                    block.Reshape(blocks.BlockUpper());
                Tally tally;
                for (std::size_t index = begin; index < end; ++index) {
                    const LineSelection first = blocks.Lines(index, stage.first);
                    const LineSelection last = blocks.Lines(index, stage.last);
                    Tally* compare = final ? &tally : nullptr;
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
        return total.Figure();
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
                       Tally* tally, double* tile, double* product)
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
    std::array<int, 4> upper_;
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
    return BasesFor(model, model.UpperIndices(), threads);
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
