#include "engine/kernels/stage_kernels.h"

#include <cmath>
#include <cstring>

namespace tavex {

namespace {

// Vectors of 2, 4 and 8 doubles: SSE2, AVX2 and AVX-512 registers.
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
[[gnu::always_inline]] inline void MultiplyTileLanes(const double* tile, double* product, int order,
                                                     const double* basis, int lane)
{
    int row = 0;
    for (; row + kRows <= order; row += kRows)
        MultiplyRows<Vec, kRows, kVecs>(tile, product, order, basis, row, lane);
    for (; row < order; ++row)
        MultiplyRows<Vec, 1, kVecs>(tile, product, order, basis, row, lane);
}

template <typename Vec>
[[gnu::always_inline]] inline void TallyRows(const double* product, const double* table, std::size_t entryStride,
                                             int order, std::size_t lane0, std::size_t count,
                                             DifferenceTally& tally)
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
    DifferenceTally rows{differenceRest, valueRest, probeRest};
    for (std::size_t lane = 0; lane < kWidth; ++lane)
        rows.Merge({difference[lane], value[lane], probe[lane]});
    tally.Merge(rows);
}

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

// The block sizes keep the sums and one row of lanes within the registers:
// 8 of 16 registers, 16 of 32 with AVX-512.
void MultiplyTileBaseline(const double* tile, double* product, int order, const double* basis)
{
    for (int lane = 0; lane < kTileLanes; lane += 8)
        MultiplyTileLanes<V2, 2, 4>(tile, product, order, basis, lane);
}

void TallyBaseline(const double* product, const double* table, std::size_t entryStride, int order,
                   std::size_t lane0, std::size_t count, DifferenceTally& tally)
{
    TallyRows<V2>(product, table, entryStride, order, lane0, count, tally);
}

void MultiplyLanesBaseline(const LaneProduct& p)
{
    MultiplyAllLanes<V2, 2>(p);
}

#if defined(__x86_64__) && defined(__GNUC__)
#define TAVEX_HAVE_WIDE_PRODUCTS 1

[[gnu::target("avx2")]] void MultiplyTileAvx2(const double* tile, double* product, int order, const double* basis)
{
    for (int lane = 0; lane < kTileLanes; lane += 16)
        MultiplyTileLanes<V4, 2, 4>(tile, product, order, basis, lane);
}

[[gnu::target("avx512f")]] void MultiplyTileAvx512(const double* tile, double* product, int order,
                                                   const double* basis)
{
    MultiplyTileLanes<V8, 4, 4>(tile, product, order, basis, 0);
}

[[gnu::target("avx2")]] void TallyAvx2(const double* product, const double* table, std::size_t entryStride,
                                       int order, std::size_t lane0, std::size_t count, DifferenceTally& tally)
{
    TallyRows<V4>(product, table, entryStride, order, lane0, count, tally);
}

[[gnu::target("avx512f")]] void TallyAvx512(const double* product, const double* table, std::size_t entryStride,
                                            int order, std::size_t lane0, std::size_t count,
                                            DifferenceTally& tally)
{
    TallyRows<V8>(product, table, entryStride, order, lane0, count, tally);
}

[[gnu::target("avx2")]] void MultiplyLanesAvx2(const LaneProduct& p)
{
    MultiplyAllLanes<V4, 2>(p);
}

[[gnu::target("avx512f")]] void MultiplyLanesAvx512(const LaneProduct& p)
{
    MultiplyAllLanes<V8, 4>(p);
}
#endif

static_assert(kTileLanes == 32, "the tile products above cover 32 lanes");

} // namespace

void MultiplyTile(const double* tile, double* product, int order, const double* basis, KernelIsa isa)
{
    switch (isa) {
#ifdef TAVEX_HAVE_WIDE_PRODUCTS
    case KernelIsa::kAvx512: return MultiplyTileAvx512(tile, product, order, basis);
    case KernelIsa::kAvx2: return MultiplyTileAvx2(tile, product, order, basis);
#endif
    default: return MultiplyTileBaseline(tile, product, order, basis);
    }
}

void TallyTile(const double* product, const double* table, std::size_t entryStride, int order, std::size_t lane0,
               std::size_t count, DifferenceTally& tally, KernelIsa isa)
{
    switch (isa) {
#ifdef TAVEX_HAVE_WIDE_PRODUCTS
    case KernelIsa::kAvx512: return TallyAvx512(product, table, entryStride, order, lane0, count, tally);
    case KernelIsa::kAvx2: return TallyAvx2(product, table, entryStride, order, lane0, count, tally);
#endif
    default: return TallyBaseline(product, table, entryStride, order, lane0, count, tally);
    }
}

void MultiplyLanes(const LaneProduct& p, KernelIsa isa)
{
    switch (isa) {
#ifdef TAVEX_HAVE_WIDE_PRODUCTS
    case KernelIsa::kAvx512: return MultiplyLanesAvx512(p);
    case KernelIsa::kAvx2: return MultiplyLanesAvx2(p);
#endif
    default: return MultiplyLanesBaseline(p);
    }
}

} // namespace tavex
