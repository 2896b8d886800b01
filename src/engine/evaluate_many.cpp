#include "engine/evaluate_many.h"

#include "base/parallel_for.h"
#include "engine/level_sum.h"
#include "engine/variable_basis.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace tavex {

namespace {

// Vectors of 2, 4 and 8 doubles: SSE2, AVX2 and AVX-512 registers. A point
// keeps one lane from start to end, so the width changes the instructions
// only, never an operation or its order.
using V2 = double __attribute__((vector_size(16)));
using V4 = double __attribute__((vector_size(32)));
using V8 = double __attribute__((vector_size(64)));

// The helpers below pass vectors by value, but they are always inlined into
// the functions built for their width: no vector crosses a call, and GCC's
// notes on how such calls changed their ABI do not apply.
#pragma GCC diagnostic ignored "-Wpsabi"

template <class Vec>
constexpr int kLanes = static_cast<int>(sizeof(Vec) / sizeof(double));

// Points per batch when the caller leaves it open. A batch passes over all the
// coefficients once; past a few hundred points, more per batch gain only a few
// percent (W4, 40^4) while its tables keep growing.
constexpr int kBatchPoints = 512;

// 64-byte aligned storage: no vector load straddles two cache lines (which
// halves the speed of the trigonometric sums).
template <class T>
struct CacheLineAllocator {
    using value_type = T;
    static constexpr std::align_val_t kAlignment{64};
    CacheLineAllocator() = default;
    template <class U>
    CacheLineAllocator(const CacheLineAllocator<U>&) {}
    T* allocate(std::size_t n) { return static_cast<T*>(::operator new(n * sizeof(T), kAlignment)); }
    void deallocate(T* p, std::size_t) { ::operator delete(p, kAlignment); }
    bool operator==(const CacheLineAllocator&) const = default;
};
using AlignedDoubles = std::vector<double, CacheLineAllocator<double>>;

// A batch of points in blocks of `block` points (the last block may be
// narrower: the points padded to a multiple of the lanes), and what each level
// of the nested sum takes of them. A Horner level takes the arguments, point
// after point; a weighted level its weights, block after block, each
// block's row j holding weight j of the block's points.
struct Batch {
    PerVariable<int> m{};
    PerVariable<VariableBasis> bases{};
    PerVariable<LevelForm> form{};
    int block = 0;
    int points = 0;
    PerVariable<AlignedDoubles> arguments;
    AlignedDoubles sum2, sum3; // the running sums of levels 2 and 3
    std::vector<const double*> lines; // level 0's lines of one (j2, j3), in level 1's order

    int Width(int first) const { return std::min(block, points - first); }
    // Where level v's offset of point first + offset lies, or its weight 0,
    // in the block that begins at first.
    std::size_t Index(int v, int first, int offset) const
    {
        const auto slot = static_cast<std::size_t>(v);
        const int rows = form[slot] == LevelForm::kWeighted ? m[slot] + 1 : 1;
        return static_cast<std::size_t>(rows) * static_cast<std::size_t>(first) + static_cast<std::size_t>(offset);
    }
    const double* At(int v, int first, int offset) const
    {
        return arguments[static_cast<std::size_t>(v)].data() + Index(v, first, offset);
    }
    int Ordered(int v, int k) const
    {
        const auto slot = static_cast<std::size_t>(v);
        return TermIndex(form[slot], m[slot], k);
    }
};

void FillBatch(std::span<const PerVariable<double>> points, int lanes, Batch& batch)
{
    const int count = static_cast<int>(points.size());
    batch.points = (count + lanes - 1) / lanes * lanes;
    std::size_t mostRows = 1;
    for (std::size_t v = 0; v < batch.m.size(); ++v) {
        const std::size_t rows = batch.form[v] == LevelForm::kWeighted ? static_cast<std::size_t>(batch.m[v]) + 1 : 1;
        batch.arguments[v].assign(rows * static_cast<std::size_t>(batch.points), 0.0);
        mostRows = std::max(mostRows, rows);
    }
    std::vector<double> weights(mostRows);
    for (int p = 0; p < count; ++p) {
        const PerVariable<double>& point = points[static_cast<std::size_t>(p)];
        const int first = p / batch.block * batch.block;
        const auto width = static_cast<std::size_t>(batch.Width(first));
        for (int v = 0; v < kMaxVariables; ++v) {
            const auto slot = static_cast<std::size_t>(v);
            double* at = batch.arguments[slot].data() + batch.Index(v, first, p - first);
            const double argument = batch.bases[slot].Argument(point[slot]);
            if (batch.form[slot] == LevelForm::kHorner) {
                *at = argument;
                continue;
            }
            batch.bases[slot].kind->Weights(argument, batch.m[slot], weights.data());
            for (int j = 0; j <= batch.m[slot]; ++j)
                at[static_cast<std::size_t>(j) * width] = weights[static_cast<std::size_t>(j)];
        }
    }
}

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

// Level 0 over the lines i, i + 1, ... of one (j2, j3), L at a time while L
// are left, each sum added as the next term of level 1; returns the first
// line left.
template <class Vec, LevelForm kForm0, int L, int V>
[[gnu::always_inline]] inline int AddLines(const Batch& batch, int i, const double* arguments0,
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

// Levels 0 and 1 of one (j2, j3) for the V vectors of points `offset` into the
// block at `first`, added as the next term of level 2.
template <class Vec, LevelForm kForm0, int L, int V>
[[gnu::always_inline]] inline void SumBlock(Batch& batch, int j2, int first, int offset)
{
    constexpr int W = kLanes<Vec>;
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

    const LevelForm form2 = batch.form[2];
    const double* arguments2 = batch.At(2, first, offset) + (form2 == LevelForm::kWeighted ? j2 * width : 0);
    double* sum2 = batch.sum2.data() + first + offset;
#pragma GCC unroll 16
    for (int v = 0; v < V; ++v) {
        Vec sum = Load<Vec>(sum2 + v * W);
        sum = AddTerm(form2, sum, sum1[v], Load<Vec>(arguments2 + v * W));
        Store(sum2 + v * W, sum);
    }
}

// The whole nested sum of the batch into sum3: lines are taken in the order
// of the levels they feed, and each point meets its terms in Evaluate's order.
template <class Vec, int L, int V>
[[gnu::always_inline]] inline void SumBatch(const Table4& coef, Batch& batch)
{
    constexpr int W = kLanes<Vec>;
    const PerVariable<int>& m = batch.m;
    batch.lines.resize(static_cast<std::size_t>(m[1]) + 1);
    batch.sum3.assign(static_cast<std::size_t>(batch.points), 0.0);
    for (int k3 = 0; k3 <= m[3]; ++k3) {
        const int j3 = batch.Ordered(3, k3);
        batch.sum2.assign(static_cast<std::size_t>(batch.points), 0.0);
        for (int k2 = 0; k2 <= m[2]; ++k2) {
            const int j2 = batch.Ordered(2, k2);
            for (int k1 = 0; k1 <= m[1]; ++k1)
                batch.lines[static_cast<std::size_t>(k1)] = coef.data() + coef.Offset(0, batch.Ordered(1, k1), j2, j3);
            for (int first = 0; first < batch.points; first += batch.block) {
                const int width = batch.Width(first);
                if (width == V * W) {
                    if (batch.form[0] == LevelForm::kWeighted)
                        SumBlock<Vec, LevelForm::kWeighted, L, V>(batch, j2, first, 0);
                    else
                        SumBlock<Vec, LevelForm::kHorner, L, V>(batch, j2, first, 0);
                    continue;
                }
                for (int offset = 0; offset < width; offset += W) {
                    if (batch.form[0] == LevelForm::kWeighted)
                        SumBlock<Vec, LevelForm::kWeighted, L, 1>(batch, j2, first, offset);
                    else
                        SumBlock<Vec, LevelForm::kHorner, L, 1>(batch, j2, first, offset);
                }
            }
        }
        const LevelForm form3 = batch.form[3];
        for (int first = 0; first < batch.points; first += batch.block) {
            const int width = batch.Width(first);
            for (int offset = 0; offset < width; offset += W) {
                const double* arguments3 = batch.At(3, first, offset) + (form3 == LevelForm::kWeighted ? j3 * width : 0);
                double* sum3 = batch.sum3.data() + first + offset;
                Vec sum = Load<Vec>(sum3);
                sum = AddTerm(form3, sum, Load<Vec>(batch.sum2.data() + first + offset), Load<Vec>(arguments3));
                Store(sum3, sum);
            }
        }
    }
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

struct Kernel {
    int lanes;
    int block; // the V vectors of points a kernel runs side by side
    void (*sum)(const Table4&, Batch&);
};

template <class S>
Kernel KernelOf(void (*sum)(const Table4&, Batch&))
{
    return {kLanes<typename S::Vector>, S::V * kLanes<typename S::Vector>, sum};
}

void SumBatchBaseline(const Table4& coef, Batch& batch)
{
    SumBatch<BaselineShape::Vector, BaselineShape::L, BaselineShape::V>(coef, batch);
}

#if defined(__x86_64__) && defined(__GNUC__)
#define TAVEX_HAVE_WIDE_KERNELS 1

[[gnu::target("avx2")]] void SumBatchAvx2(const Table4& coef, Batch& batch)
{
    SumBatch<Avx2Shape::Vector, Avx2Shape::L, Avx2Shape::V>(coef, batch);
}

[[gnu::target("avx512f")]] void SumBatchAvx512(const Table4& coef, Batch& batch)
{
    SumBatch<Avx512Shape::Vector, Avx512Shape::L, Avx512Shape::V>(coef, batch);
}
#endif

Kernel KernelFor(KernelIsa isa)
{
    switch (isa) {
#ifdef TAVEX_HAVE_WIDE_KERNELS
    case KernelIsa::kAvx512: return KernelOf<Avx512Shape>(SumBatchAvx512);
    case KernelIsa::kAvx2: return KernelOf<Avx2Shape>(SumBatchAvx2);
#endif
    default: return KernelOf<BaselineShape>(SumBatchBaseline);
    }
}

} // namespace

std::optional<std::vector<double>> EvaluateMany(const ProblemModel& model,
                                                std::span<const PerVariable<double>> points,
                                                const EvaluateManyOptions& options)
{
    if (!model.IsComputed())
        return std::nullopt;
    std::vector<double> values(points.size(), std::numeric_limits<double>::quiet_NaN());
    if (HasZeroPeriod(model) || points.empty())
        return values;

    const Kernel kernel = KernelFor(options.isa);
    const int threads = ResolveThreadCount(options.threads);
    // Without a size asked for, a small call is still shared among the threads.
    const auto block = static_cast<std::size_t>(kernel.block);
    const std::size_t perThread = (points.size() + static_cast<std::size_t>(threads) - 1)
                                / static_cast<std::size_t>(threads);
    const std::size_t batchPoints = options.batchPoints > 0
        ? static_cast<std::size_t>(options.batchPoints)
        : std::min<std::size_t>(kBatchPoints, (perThread + block - 1) / block * block);
    const std::size_t batches = (points.size() + batchPoints - 1) / batchPoints;

    ParallelFor(batches, threads, [&](std::size_t begin, std::size_t end) {
        Batch batch;
        for (int v = 0; v < kMaxVariables; ++v) {
            const auto slot = static_cast<std::size_t>(v);
            batch.bases[slot] = BasisOf(model, v);
            batch.m[slot] = batch.bases[slot].count - 1;
            batch.form[slot] = batch.bases[slot].kind->Form();
        }
        batch.block = kernel.block;
        for (std::size_t b = begin; b < end; ++b) {
            const std::size_t first = b * batchPoints;
            const std::size_t count = std::min(batchPoints, points.size() - first);
            FillBatch(points.subspan(first, count), kernel.lanes, batch);
            kernel.sum(model.coef, batch);
            std::copy_n(batch.sum3.begin(), count, values.begin() + static_cast<std::ptrdiff_t>(first));
        }
    });
    return values;
}

} // namespace tavex
