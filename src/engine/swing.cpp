#include "engine/swing.h"

#include "base/parallel_for.h"
#include "engine/evaluate.h"
#include "engine/reproduction.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

namespace tavex {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kLargest = std::numeric_limits<double>::max();

// One variable's basis functions (columns) at its midpoints (rows), row-major,
// and the same transposed. A variable not in use has the 1 x 1 identity.
struct Midpoints {
    int rows = 1, columns = 1;
    std::vector<double> weights{1.0};
    std::vector<double> transposed{1.0};

    double operator()(int row, int column) const
    {
        return weights[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns)
                       + static_cast<std::size_t>(column)];
    }
};

Midpoints MidpointWeights(const ProblemModel& model, int v)
{
    Midpoints m;
    if (v > model.lastVar)
        return m;
    const auto slot = static_cast<std::size_t>(v);
    const int count = model.UpperIndices()[slot] + 1;
    std::vector<double> points(model.Var(v).values.begin(), model.Var(v).values.begin() + count);
    // NaNs last: they leave the order strict, and the figure infinite.
    std::sort(points.begin(), points.end(), [](double a, double b) { return std::isnan(b) ? !std::isnan(a) : a < b; });
    // Halves first: the sum of two large values could overflow.
    for (std::size_t k = 0; k + 1 < points.size(); ++k)
        points[k] = 0.5 * points[k] + 0.5 * points[k + 1];
    if (count > 1)
        points.pop_back();
    m.rows = static_cast<int>(points.size());
    m.columns = count;
    m.weights.assign(points.size() * static_cast<std::size_t>(count), 0.0);
    for (std::size_t r = 0; r < points.size(); ++r) {
        double* w = m.weights.data() + r * static_cast<std::size_t>(count);
        const double dx = points[r] - model.Var(slot).center;
        if (model.IsTrigonometric(v)) {
            TrigonometricWeights(AngleOfOffset(dx, model.Var(slot).period), count - 1, w);
            continue;
        }
        w[0] = 1.0;
        for (int j = 1; j < count; ++j)
            w[j] = w[j - 1] * dx;
    }
    m.transposed.assign(m.weights.size(), 0.0);
    for (int r = 0; r < m.rows; ++r)
        for (int j = 0; j < count; ++j)
            m.transposed[static_cast<std::size_t>(j) * points.size() + static_cast<std::size_t>(r)] = m(r, j);
    return m;
}

// A product of a row-major weight matrix with lanes of values:
// out[l + outStride k] = sum over j of w(k, j) in[l + inStride j], l < lanes,
// with w(k, j) = weights[k weightStride + j]. Every value is a sum over
// ascending j from +0, a product and an addition a step, lane by lane: the
// width of the vectors changes nothing in it.
struct LaneProduct {
    const double* in;
    std::size_t inStride;
    const double* weights;
    std::size_t weightStride;
    int rows, columns;
    std::size_t lanes;
    double* out;
    std::size_t outStride;
};

using V2 = double __attribute__((vector_size(16)));
using V4 = double __attribute__((vector_size(32)));
using V8 = double __attribute__((vector_size(64)));

// Rows row..row+kRows-1 over kVecs vectors of lanes from `lane`: each vector
// of values is read once for kRows rows, and the sums stay in registers.
template <typename Vec, int kRows, int kVecs>
[[gnu::always_inline]] inline void MultiplyBlock(const LaneProduct& p, int row, std::size_t lane)
{
    constexpr std::size_t kWidth = sizeof(Vec) / sizeof(double);
    Vec sum[kRows][kVecs];
#pragma GCC unroll 16
    for (int r = 0; r < kRows; ++r)
#pragma GCC unroll 16
        for (int v = 0; v < kVecs; ++v)
            sum[r][v] = Vec{};
    const double* weights = p.weights + static_cast<std::size_t>(row) * p.weightStride;
    for (int j = 0; j < p.columns; ++j) {
        const double* x = p.in + p.inStride * static_cast<std::size_t>(j) + lane;
        Vec values[kVecs];
#pragma GCC unroll 16
        for (int v = 0; v < kVecs; ++v)
            std::memcpy(&values[v], x + v * kWidth, sizeof(Vec));
#pragma GCC unroll 16
        for (int r = 0; r < kRows; ++r) {
            const double w = weights[static_cast<std::size_t>(r) * p.weightStride + static_cast<std::size_t>(j)];
#pragma GCC unroll 16
            for (int v = 0; v < kVecs; ++v)
                sum[r][v] = sum[r][v] + w * values[v];
        }
    }
#pragma GCC unroll 16
    for (int r = 0; r < kRows; ++r)
#pragma GCC unroll 16
        for (int v = 0; v < kVecs; ++v)
            std::memcpy(p.out + p.outStride * static_cast<std::size_t>(row + r) + lane + v * kWidth, &sum[r][v],
                        sizeof(Vec));
}

template <typename Vec, int kRows, int kVecs>
[[gnu::always_inline]] inline void MultiplyColumn(const LaneProduct& p, std::size_t lane)
{
    int row = 0;
    for (; row + kRows <= p.rows; row += kRows)
        MultiplyBlock<Vec, kRows, kVecs>(p, row, lane);
    for (; row < p.rows; ++row)
        MultiplyBlock<Vec, 1, kVecs>(p, row, lane);
}

template <typename Vec, int kRows>
[[gnu::always_inline]] inline void MultiplyVectors(const LaneProduct& p, std::size_t vectors, std::size_t lane)
{
    switch (vectors) {
    case 1: return MultiplyColumn<Vec, kRows, 1>(p, lane);
    case 2: return MultiplyColumn<Vec, kRows, 2>(p, lane);
    case 3: return MultiplyColumn<Vec, kRows, 3>(p, lane);
    default: return MultiplyColumn<Vec, kRows, 4>(p, lane);
    }
}

template <typename Vec>
struct Narrower;
template <>
struct Narrower<V8> {
    using type = V4;
};
template <>
struct Narrower<V4> {
    using type = V2;
};
template <>
struct Narrower<V2> {
    using type = double;
};

// The lanes in columns of four vectors, then the rest in one column that ends
// at the last lane: where it overlaps lanes already done it writes the very
// same values again. Fewer lanes than a vector go to narrower vectors.
template <typename Vec, int kRows>
[[gnu::always_inline]] inline void MultiplyAllLanes(const LaneProduct& p)
{
    constexpr std::size_t kWidth = sizeof(Vec) / sizeof(double);
    if (p.lanes < kWidth) {
        if constexpr (kWidth > 1)
            MultiplyAllLanes<typename Narrower<Vec>::type, kRows>(p);
        return;
    }
    std::size_t lane = 0;
    for (; lane + 4 * kWidth <= p.lanes; lane += 4 * kWidth)
        MultiplyColumn<Vec, kRows, 4>(p, lane);
    const std::size_t rest = p.lanes - lane;
    if (rest == 0)
        return;
    const std::size_t vectors = (rest + kWidth - 1) / kWidth;
    if (lane > 0 || rest % kWidth == 0)
        return MultiplyVectors<Vec, kRows>(p, vectors, p.lanes - vectors * kWidth);
    MultiplyVectors<Vec, kRows>(p, rest / kWidth, 0);
    MultiplyColumn<Vec, kRows, 1>(p, p.lanes - kWidth);
}

// As many sums as the registers hold: 8 of 16 registers, 16 of 32 with AVX-512.
void MultiplyBaseline(const LaneProduct& p)
{
    MultiplyAllLanes<V2, 2>(p);
}

#if defined(__x86_64__) && defined(__GNUC__)
#define TAVEX_HAVE_WIDE_PRODUCTS 1

[[gnu::target("avx2")]] void MultiplyAvx2(const LaneProduct& p)
{
    MultiplyAllLanes<V4, 2>(p);
}

[[gnu::target("avx512f")]] void MultiplyAvx512(const LaneProduct& p)
{
    MultiplyAllLanes<V8, 4>(p);
}
#endif

void Multiply(const LaneProduct& p, KernelIsa isa)
{
    switch (isa) {
#ifdef TAVEX_HAVE_WIDE_PRODUCTS
    case KernelIsa::kAvx512: return MultiplyAvx512(p);
    case KernelIsa::kAvx2: return MultiplyAvx2(p);
#endif
    default: return MultiplyBaseline(p);
    }
}

// The largest magnitude seen, and a probe that is 0 while every value is
// finite and NaN from the first one that is not; both merge in any order.
struct Tally {
    double largest = 0.0;
    double probe = 0.0;

    // Four of each side by side, not to wait on one chain of additions.
    void Add(const double* values, std::size_t count)
    {
        constexpr std::size_t kChains = 4;
        double largests[kChains] = {}, probes[kChains] = {};
        std::size_t i = 0;
        for (; i + kChains <= count; i += kChains)
            for (std::size_t c = 0; c < kChains; ++c) {
                largests[c] = std::max(largests[c], std::fabs(values[i + c]));
                probes[c] += values[i + c] - values[i + c];
            }
        for (; i < count; ++i) {
            largests[0] = std::max(largests[0], std::fabs(values[i]));
            probes[0] += values[i] - values[i];
        }
        for (std::size_t c = 0; c < kChains; ++c)
            Merge({largests[c], probes[c]});
    }

    void Merge(const Tally& other)
    {
        largest = std::max(largest, other.largest);
        probe += other.probe;
    }
};

// Below this much arithmetic a second thread costs more than it saves (as in the solver).
constexpr double kWorkPerThread = 4.0e6;

int ThreadsFor(double work, int threads)
{
    return std::min(ResolveThreadCount(threads), std::max(1, static_cast<int>(work / kWorkPerThread)));
}

// A block's intermediate products stay in the processor's caches: about 1 MiB.
constexpr std::size_t kBlockValues = std::size_t{1} << 17;

} // namespace

// Two stages. The first takes variables 0 and 1 slab by slab (a slab: coef at
// fixed i2, i3), in blocks of midpoint rows of variable 0; with three or four
// variables it leaves a working table, (k0, k1, i2, i3) with k0 fastest, that
// the second takes along variables 2 and 3 in blocks of its lanes (k0, k1).
// The last products are tallied as they come, never stored.
std::optional<double> MeasureSwing(const ProblemModel& model, int threads, KernelIsa isa)
{
    std::array<Midpoints, 4> m;
    std::array<std::size_t, 4> n{}, r{};
    for (int v = 0; v < 4; ++v) {
        const auto slot = static_cast<std::size_t>(v);
        m[slot] = MidpointWeights(model, v);
        n[slot] = static_cast<std::size_t>(m[slot].columns);
        r[slot] = static_cast<std::size_t>(m[slot].rows);
    }
    const bool secondStage = model.lastVar >= 2;
    const std::size_t slabs = n[2] * n[3];
    const std::size_t lanes = r[0] * r[1]; // of the working table
    std::unique_ptr<double[]> working;
    if (secondStage) {
        if (!WorkingTableFits(lanes * slabs))
            throw std::bad_alloc();
        working.reset(new double[lanes * slabs]);
    }
    // w(k, j) of variable v's matrix, for the products along it.
    const auto along = [&](int v, const double* in, std::size_t inStride, std::size_t count, double* out,
                           std::size_t outStride) {
        const Midpoints& w = m[static_cast<std::size_t>(v)];
        Multiply({in, inStride, w.weights.data(), static_cast<std::size_t>(w.columns), w.rows, w.columns, count, out,
                  outStride},
                 isa);
    };

    Tally expansion, table;
    std::mutex tallyMutex;
    const std::size_t blockRows = std::clamp<std::size_t>(kBlockValues / std::max(n[1], r[1]), 1, r[0]);
    const std::size_t blocksPerSlab = (r[0] + blockRows - 1) / blockRows;
    const double firstWork = static_cast<double>(slabs) * r[0] * n[1] * (n[0] + r[1]);
    ParallelFor(slabs * blocksPerSlab, ThreadsFor(firstWork, threads), [&](std::size_t begin, std::size_t end) {
        std::vector<double> along0(blockRows * n[1]);
        std::vector<double> products(secondStage ? 0 : blockRows * r[1]);
        Tally slabExpansion, slabTable;
        for (std::size_t unit = begin; unit < end; ++unit) {
            const std::size_t slab = unit / blocksPerSlab;
            const std::size_t first = unit % blocksPerSlab * blockRows;
            const std::size_t count = std::min(r[0], first + blockRows) - first;
            const auto i2 = static_cast<int>(slab % n[2]), i3 = static_cast<int>(slab / n[2]);
            // Along variable 0 the slab's lines are the weights and the
            // matrix's columns the lanes: along0[k0 - first + count i1] =
            // sum over j of coef(j, i1) w0(k0, j), the same sum as w0(k0, j) coef(j, i1).
            Multiply({m[0].transposed.data() + first, r[0], model.coef.data() + model.coef.Offset(0, 0, i2, i3),
                      model.coef.Stride(1), m[1].columns, m[0].columns, count, along0.data(), count},
                     isa);
            if (secondStage) {
                along(1, along0.data(), count, count, working.get() + first + lanes * slab, r[0]);
            } else {
                along(1, along0.data(), count, count, products.data(), count);
                slabExpansion.Add(products.data(), count * r[1]);
            }
            if (first == 0) // the table's largest value, slab by slab
                for (int i1 = 0; i1 < m[1].columns; ++i1)
                    slabTable.Add(model.funTable.data() + model.funTable.Offset(0, i1, i2, i3), n[0]);
        }
        const std::lock_guard lock(tallyMutex);
        expansion.Merge(slabExpansion);
        table.Merge(slabTable);
    });

    if (secondStage) {
        const std::size_t blockLanes = std::clamp<std::size_t>(kBlockValues / (r[2] * std::max(n[3], r[3])), 1, lanes);
        const std::size_t blocks = (lanes + blockLanes - 1) / blockLanes;
        const double secondWork = static_cast<double>(lanes) * r[2] * n[3] * (n[2] + r[3]);
        ParallelFor(blocks, ThreadsFor(secondWork, threads), [&](std::size_t begin, std::size_t end) {
            std::vector<double> along2(blockLanes * r[2] * n[3]), products(blockLanes * r[2] * r[3]);
            Tally blockExpansion;
            for (std::size_t block = begin; block < end; ++block) {
                const std::size_t first = block * blockLanes;
                const std::size_t count = std::min(lanes, first + blockLanes) - first;
                for (std::size_t i3 = 0; i3 < n[3]; ++i3)
                    along(2, working.get() + first + lanes * n[2] * i3, lanes, count, along2.data() + count * r[2] * i3,
                          count);
                along(3, along2.data(), count * r[2], count * r[2], products.data(), count * r[2]);
                blockExpansion.Add(products.data(), count * r[2] * r[3]);
            }
            const std::lock_guard lock(tallyMutex);
            expansion.Merge(blockExpansion);
        });
    }

    if (expansion.probe != 0.0 || table.probe != 0.0)
        return kInfinity;
    if (table.largest == 0.0)
        return std::nullopt;
    const double swing = expansion.largest / table.largest;
    return swing <= kLargest ? swing : kInfinity;
}

} // namespace tavex
