// The helpers of this file pass vectors by value, but they are always inlined into
// the functions built for their width: no vector crosses a call, and GCC's
// notes on how such calls changed their ABI do not apply.
#pragma GCC diagnostic ignored "-Wpsabi"

#include "engine/kernels/batch_kernels.h"

#include <cstring>

namespace tavex {

namespace {

// Vectors of 2, 4 and 8 doubles: SSE2, AVX2 and AVX-512 registers. A point
// keeps one lane from start to end, so the width changes the instructions
// only, never an operation or its order.
using V2 = double __attribute__((vector_size(16)));
using V4 = double __attribute__((vector_size(32)));
using V8 = double __attribute__((vector_size(64)));

template <class Vec>
constexpr int kLanes = static_cast<int>(sizeof(Vec) / sizeof(double));

// Levels 0 and 1 are summed in registers into level 2's sums; each level
// above adds the finished sums of the one below.
constexpr int kFirstStoredLevel = 2;
static_assert(kMaxVariables > kFirstStoredLevel, "the kernel adds levels 0 and 1 into level 2's sums");

template <class Vec>
[[gnu::always_inline]] inline Vec Load(const double* p)
{
    Vec v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <class Vec>
[[gnu::always_inline]] inline void Store(double* p, const Vec& v)
{
    std::memcpy(p, &v, sizeof v);
}

// Level 0 over L lines for V vectors of points: s[l][v]. The L x V chains are
// independent, enough of them to keep both multipliers and adders busy while
// each coefficient, read once, serves V vectors.
template <class Vec, LevelForm kForm, int L, int V>
[[gnu::always_inline]] inline void SumLevel0(const double* const* line, int m, const double* arguments,
                                             std::size_t rowStride, Vec (&s)[L][V])
{
    constexpr int W = kLanes<Vec>;
#pragma GCC unroll 16
    for (int l = 0; l < L; ++l)
#pragma GCC unroll 16
        for (int v = 0; v < V; ++v)
            s[l][v] = Vec{};
    if constexpr (kForm == LevelForm::kHorner) {
        Vec d[V];
#pragma GCC unroll 16
        for (int v = 0; v < V; ++v)
            d[v] = Load<Vec>(arguments + v * W);
        for (int j = m; j >= 0; --j)
#pragma GCC unroll 16
            for (int l = 0; l < L; ++l) {
                const double c = line[l][j];
#pragma GCC unroll 16
                for (int v = 0; v < V; ++v)
                    s[l][v] = AddTerm(kForm, s[l][v], c, d[v]);
            }
    } else {
        for (int j = 0; j <= m; ++j) {
            const double* row = arguments + static_cast<std::size_t>(j) * rowStride;
            Vec w[V];
#pragma GCC unroll 16
            for (int v = 0; v < V; ++v)
                w[v] = Load<Vec>(row + v * W);
#pragma GCC unroll 16
            for (int l = 0; l < L; ++l) {
                const double c = line[l][j];
#pragma GCC unroll 16
                for (int v = 0; v < V; ++v)
                    s[l][v] = AddTerm(kForm, s[l][v], c, w[v]);
            }
        }
    }
}

// Level 0 over the lines i, i + 1, ... of the batch, L at a time while L
// are left, each sum added as the next term of level 1; returns the first
// line left.
template <class Vec, LevelForm kForm0, int L, int V>
[[gnu::always_inline]] inline int AddLines(const PointBatch& batch, int i, const double* arguments0,
                                           const double* arguments1, std::size_t width, const Vec (&d1)[V],
                                           Vec (&sum1)[V])
{
    constexpr int W = kLanes<Vec>;
    const LevelForm form1 = batch.form[1];
    const bool weighted1 = form1 == LevelForm::kWeighted;
    const int count = batch.m[1] + 1;
    for (; i + L <= count; i += L) {
        Vec s[L][V];
        SumLevel0<Vec, kForm0, L, V>(batch.lines.data() + i, batch.m[0], arguments0, width, s);
#pragma GCC unroll 16
        for (int l = 0; l < L; ++l)
#pragma GCC unroll 16
            for (int v = 0; v < V; ++v) {
                // The lines of a weighted level 1 ascend: line i + l is its row.
                const Vec a = weighted1 ? Load<Vec>(arguments1 + (i + l) * width + v * W) : d1[v];
                sum1[v] = AddTerm(form1, sum1[v], s[l][v], a);
            }
    }
    return i;
}

// Levels 0 and 1 at index j of level 2 for the V vectors of points `offset`
// into the block at `first`, added as the next term of level 2.
template <class Vec, LevelForm kForm0, int L, int V>
[[gnu::always_inline]] inline void SumBlock(PointBatch& batch, int j, int first, int offset)
{
    constexpr int W = kLanes<Vec>;
    constexpr auto kStored = static_cast<std::size_t>(kFirstStoredLevel);
    const auto width = static_cast<std::size_t>(batch.Width(first));
    const double* arguments0 = batch.At(0, first, offset);
    const double* arguments1 = batch.At(1, first, offset);
    Vec d1[V], sum1[V];
#pragma GCC unroll 16
    for (int v = 0; v < V; ++v) {
        d1[v] = Load<Vec>(arguments1 + v * W);
        sum1[v] = Vec{};
    }
    int i = AddLines<Vec, kForm0, L, V>(batch, 0, arguments0, arguments1, width, d1, sum1);
    if constexpr (L > 2)
        i = AddLines<Vec, kForm0, 2, V>(batch, i, arguments0, arguments1, width, d1, sum1);
    if constexpr (L > 1)
        AddLines<Vec, kForm0, 1, V>(batch, i, arguments0, arguments1, width, d1, sum1);

    const LevelForm form = batch.form[kStored];
    const double* arguments = batch.At(kFirstStoredLevel, first, offset) + (form == LevelForm::kWeighted ? j * width : 0);
    double* sums = batch.sums[kStored].data() + first + offset;
#pragma GCC unroll 16
    for (int v = 0; v < V; ++v) {
        Vec sum = Load<Vec>(sums + v * W);
        sum = AddTerm(form, sum, sum1[v], Load<Vec>(arguments + v * W));
        Store(sums + v * W, sum);
    }
}

// Level kLevel's sums over the batch, at the indices `j` of the levels above
// it: lines are taken in the order of the levels they feed, and each point
// meets its terms in Evaluate's order.
template <class Vec, int L, int V, int kLevel>
[[gnu::always_inline]] inline void SumLevel(const Table4& coef, PointBatch& batch, PerVariable<int>& j)
{
    constexpr int W = kLanes<Vec>;
    constexpr auto slot = static_cast<std::size_t>(kLevel);
    batch.sums[slot].assign(static_cast<std::size_t>(batch.points), 0.0);
    for (int k = 0; k <= batch.m[slot]; ++k) {
        j[slot] = batch.Ordered(kLevel, k);
        if constexpr (kLevel == kFirstStoredLevel) {
            std::size_t later = 0;
            for (int v = kFirstStoredLevel; v < kMaxVariables; ++v)
                later += static_cast<std::size_t>(j[static_cast<std::size_t>(v)]) * coef.Stride(v);
            for (int k1 = 0; k1 <= batch.m[1]; ++k1)
                batch.lines[static_cast<std::size_t>(k1)] =
                    coef.data() + later + static_cast<std::size_t>(batch.Ordered(1, k1)) * coef.Stride(1);
            for (int first = 0; first < batch.points; first += batch.block) {
                const int width = batch.Width(first);
                if (width == V * W) {
                    if (batch.form[0] == LevelForm::kWeighted)
                        SumBlock<Vec, LevelForm::kWeighted, L, V>(batch, j[slot], first, 0);
                    else
                        SumBlock<Vec, LevelForm::kHorner, L, V>(batch, j[slot], first, 0);
                    continue;
                }
                for (int offset = 0; offset < width; offset += W) {
                    if (batch.form[0] == LevelForm::kWeighted)
                        SumBlock<Vec, LevelForm::kWeighted, L, 1>(batch, j[slot], first, offset);
                    else
                        SumBlock<Vec, LevelForm::kHorner, L, 1>(batch, j[slot], first, offset);
                }
            }
        } else {
            SumLevel<Vec, L, V, kLevel - 1>(coef, batch, j);
            const LevelForm form = batch.form[slot];
            const double* inner = batch.sums[slot - 1].data();
            for (int first = 0; first < batch.points; first += batch.block) {
                const int width = batch.Width(first);
                for (int offset = 0; offset < width; offset += W) {
                    const double* arguments =
                        batch.At(kLevel, first, offset) + (form == LevelForm::kWeighted ? j[slot] * width : 0);
                    double* sums = batch.sums[slot].data() + first + offset;
                    Vec sum = Load<Vec>(sums);
                    sum = AddTerm(form, sum, Load<Vec>(inner + first + offset), Load<Vec>(arguments));
                    Store(sums, sum);
                }
            }
        }
    }
}

template <class Vec, int L, int V>
[[gnu::always_inline]] inline void SumBatch(const Table4& coef, PointBatch& batch)
{
    batch.lines.resize(static_cast<std::size_t>(batch.m[1]) + 1);
    PerVariable<int> j{};
    SumLevel<Vec, L, V, kMaxVariables - 1>(coef, batch, j);
}

// L lines by V vectors of chains for each instruction set, as measured best:
// as many chains as the registers hold without spilling.
template <class Vec, int kLines, int kVectors>
struct Shape {
    using Vector = Vec;
    static constexpr int L = kLines, V = kVectors;
};
using BaselineShape = Shape<V2, 3, 3>;
using Avx2Shape = Shape<V4, 4, 3>;
using Avx512Shape = Shape<V8, 4, 4>;

template <class S>
BatchKernel KernelOf(void (*sum)(const Table4&, PointBatch&))
{
    return {kLanes<typename S::Vector>, S::V * kLanes<typename S::Vector>, sum};
}

void SumBatchBaseline(const Table4& coef, PointBatch& batch)
{
    SumBatch<BaselineShape::Vector, BaselineShape::L, BaselineShape::V>(coef, batch);
}

#if defined(__x86_64__) && defined(__GNUC__)
#define TAVEX_HAVE_WIDE_KERNELS 1

[[gnu::target("avx2")]] void SumBatchAvx2(const Table4& coef, PointBatch& batch)
{
    SumBatch<Avx2Shape::Vector, Avx2Shape::L, Avx2Shape::V>(coef, batch);
}

[[gnu::target("avx512f")]] void SumBatchAvx512(const Table4& coef, PointBatch& batch)
{
    SumBatch<Avx512Shape::Vector, Avx512Shape::L, Avx512Shape::V>(coef, batch);
}
#endif

} // namespace

BatchKernel BatchKernelFor(KernelIsa isa)
{
    switch (isa) {
#ifdef TAVEX_HAVE_WIDE_KERNELS
    case KernelIsa::kAvx512: return KernelOf<Avx512Shape>(SumBatchAvx512);
    case KernelIsa::kAvx2: return KernelOf<Avx2Shape>(SumBatchAvx2);
#endif
    default: return KernelOf<BaselineShape>(SumBatchBaseline);
    }
}

} // namespace tavex
