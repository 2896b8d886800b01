#include "engine/slice.h"

#include "base/parallel_for.h"
#include "engine/evaluate.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <limits>

namespace tavex {

namespace {

using Counts = std::array<std::size_t, 4>;

// Below this many values read, starting threads costs more than it saves.
constexpr std::size_t kParallelFromValues = std::size_t{1} << 18;

// A held variable's level of the nested sum, as Evaluate takes it: Horner's
// scheme in the offset, or the weighted sum over the trigonometric weights.
// Going by the same operations rather than by powers keeps a large offset
// from overflowing a power whose coefficient is 0.
struct HeldLevel {
    bool trigonometric = false;
    double offset = 0.0;
    std::vector<double> weights;
};

HeldLevel MakeHeldLevel(const ProblemModel& model, int v, double argument, std::size_t count)
{
    HeldLevel level;
    level.trigonometric = model.IsTrigonometric(v);
    level.offset = argument;
    if (level.trigonometric) {
        level.weights.resize(count);
        TrigonometricWeights(argument, static_cast<int>(count) - 1, level.weights.data());
    }
    return level;
}

// Four indices over values in memory; index 0 always has stride 1. Either
// the coefficient table read in place, with its storage strides, or a
// partial sum of it held densely.
struct Block {
    const double* data = nullptr;
    Counts count{};
    Counts stride{};
};

Block DenseBlock(const double* data, const Counts& count)
{
    Block block{data, count, {}};
    block.stride[0] = 1;
    for (std::size_t d = 1; d < 4; ++d)
        block.stride[d] = block.stride[d - 1] * count[d - 1];
    return block;
}

std::size_t ValueCount(const Counts& count)
{
    return count[0] * count[1] * count[2] * count[3];
}

int ThreadsFor(const Block& block)
{
    return ValueCount(block.count) >= kParallelFromValues ? 0 : 1;
}

// sums[c] = the level's sum over the contiguous line source + c * lineStride.
// Each line alone is one chain of dependent operations; kChains of them side
// by side keep the pipelines full.
template <int kChains>
void SumLineGroup(const HeldLevel& level, std::size_t count, const double* source, std::size_t lineStride,
                  double* sums)
{
    double s[kChains] = {};
    if (!level.trigonometric) {
        const double d = level.offset;
        for (std::size_t j = count; j-- > 0;)
            for (int c = 0; c < kChains; ++c)
                s[c] = s[c] * d + source[static_cast<std::size_t>(c) * lineStride + j];
    } else {
        const double* w = level.weights.data();
        for (std::size_t j = 0; j < count; ++j)
            for (int c = 0; c < kChains; ++c)
                s[c] = source[static_cast<std::size_t>(c) * lineStride + j] * w[j] + s[c];
    }
    for (int c = 0; c < kChains; ++c)
        sums[c] = s[c];
}

// Sums index 0 out of `in` into `out`, dense with count 1 on index 0.
void SumOutFirstIndex(const HeldLevel& level, const Block& in, double* out)
{
    const std::size_t n0 = in.count[0], n1 = in.count[1], n2 = in.count[2];
    // A run: the lines along index 1 at one (i2, i3), evenly spaced in the
    // table and contiguous in `out`.
    ParallelFor(n2 * in.count[3], ThreadsFor(in), [&](std::size_t begin, std::size_t end) {
        constexpr std::size_t kChains = 8;
        for (std::size_t run = begin; run < end; ++run) {
            const double* first = in.data + (run % n2) * in.stride[2] + (run / n2) * in.stride[3];
            double* sums = out + n1 * run;
            const std::size_t lineStride = in.stride[1];
            std::size_t l = 0;
            for (; l + kChains <= n1; l += kChains)
                SumLineGroup<kChains>(level, n0, first + l * lineStride, lineStride, sums + l);
            for (; l < n1; ++l)
                SumLineGroup<1>(level, n0, first + l * lineStride, lineStride, sums + l);
        }
    });
}

// Sums index k > 0 out of `in` into `out`, dense with count 1 on index k.
// Whole lines along index 0 are combined at once, so the inner loop runs
// over contiguous values with no dependence between them.
void SumOutLaterIndex(const HeldLevel& level, const Block& in, std::size_t k, double* out)
{
    std::array<std::size_t, 2> other{};
    for (std::size_t d = 1, o = 0; d < 4; ++d)
        if (d != k)
            other[o++] = d;
    const std::size_t a = other[0], b = other[1];
    const std::size_t n0 = in.count[0], na = in.count[a], nk = in.count[k], stride = in.stride[k];
    // Line ia + na * ib of `out` is where the dense layout puts (., ia, ib)
    // once index k has count 1.
    ParallelFor(na * in.count[b], ThreadsFor(in), [&](std::size_t begin, std::size_t end) {
        for (std::size_t l = begin; l < end; ++l) {
            const double* source = in.data + (l % na) * in.stride[a] + (l / na) * in.stride[b];
            double* line = out + n0 * l;
            std::fill(line, line + n0, 0.0);
            if (!level.trigonometric) {
                const double d = level.offset;
                for (std::size_t j = nk; j-- > 0;) {
                    const double* entry = source + j * stride;
                    for (std::size_t i = 0; i < n0; ++i)
                        line[i] = line[i] * d + entry[i];
                }
            } else {
                for (std::size_t j = 0; j < nk; ++j) {
                    const double* entry = source + j * stride;
                    const double w = level.weights[j];
                    for (std::size_t i = 0; i < n0; ++i)
                        line[i] = entry[i] * w + line[i];
                }
            }
        }
    });
}

// The coefficients with every variable but the free ones summed out at the
// point: count 1 on every other index. The block reads either the table in
// place or `storage`.
Block SumOutHeld(const ProblemModel& model, const PerVariable<bool>& isFree, const PerVariable<double>& point,
                 std::vector<double>& storage)
{
    const Table4& coef = model.coef;
    Block block{coef.data(), {}, {}};
    const std::array<int, 4> upper = model.UpperIndices();
    for (int d = 0; d < 4; ++d) {
        block.count[static_cast<std::size_t>(d)] = static_cast<std::size_t>(upper[static_cast<std::size_t>(d)]) + 1;
        block.stride[static_cast<std::size_t>(d)] = coef.Stride(d);
    }

    PerVariable<double> offsets{};
    for (int v = 0; v <= model.lastVar; ++v)
        offsets[static_cast<std::size_t>(v)] = point[static_cast<std::size_t>(v)] - model.Var(v).center;
    const PerVariable<double> arguments = LevelArguments(model, offsets);

    // Variables beyond lastVar have one index and weight 1: nothing to sum.
    std::vector<double> next;
    for (int v = 0; v <= model.lastVar; ++v) {
        const auto k = static_cast<std::size_t>(v);
        if (isFree[k])
            continue;
        const HeldLevel level = MakeHeldLevel(model, v, arguments[k], block.count[k]);
        Counts count = block.count;
        count[k] = 1;
        next.resize(ValueCount(count));
        if (k == 0)
            SumOutFirstIndex(level, block, next.data());
        else
            SumOutLaterIndex(level, block, k, next.data());
        storage.swap(next);
        block = DenseBlock(storage.data(), count);
    }
    return block;
}

std::size_t CountOf(const ProblemModel& model, int v)
{
    return static_cast<std::size_t>(model.UpperIndices()[static_cast<std::size_t>(v)]) + 1;
}

// One variable's basis functions at many coordinates, laid out for sums that
// run over the coordinates in their innermost loop.
struct SampledLevel {
    bool trigonometric = false;
    std::size_t points = 0;
    std::vector<double> offsets; // polynomial: x - center at each point
    std::vector<double> weights; // trigonometric: weights[j * points + i], function j at point i
};

SampledLevel MakeSampledLevel(const ProblemModel& model, int v, std::span<const double> xs, std::size_t count)
{
    const auto k = static_cast<std::size_t>(v);
    SampledLevel level;
    level.trigonometric = model.IsTrigonometric(v);
    level.points = xs.size();
    if (!level.trigonometric) {
        level.offsets.resize(xs.size());
        for (std::size_t i = 0; i < xs.size(); ++i)
            level.offsets[i] = xs[i] - model.Var(k).center;
        return level;
    }
    level.weights.resize(count * xs.size());
    std::vector<double> atPoint(count);
    for (std::size_t i = 0; i < xs.size(); ++i) {
        PerVariable<double> offsets{};
        offsets[k] = xs[i] - model.Var(k).center;
        TrigonometricWeights(LevelArguments(model, offsets)[k], static_cast<int>(count) - 1, atPoint.data());
        for (std::size_t j = 0; j < count; ++j)
            level.weights[j * xs.size() + i] = atPoint[j];
    }
    return level;
}

// out[i] = the sum over j < count of coef[j * coefStride] times basis
// function j at point i, by the operations of Evaluate's level.
void SumAtPoints(const SampledLevel& level, const double* coef, std::size_t coefStride, std::size_t count,
                 double* out)
{
    const std::size_t n = level.points;
    std::fill(out, out + n, 0.0);
    if (!level.trigonometric) {
        const double* d = level.offsets.data();
        for (std::size_t j = count; j-- > 0;) {
            const double c = coef[j * coefStride];
            for (std::size_t i = 0; i < n; ++i)
                out[i] = out[i] * d[i] + c;
        }
    } else {
        for (std::size_t j = 0; j < count; ++j) {
            const double c = coef[j * coefStride];
            const double* w = level.weights.data() + j * n;
            for (std::size_t i = 0; i < n; ++i)
                out[i] = c * w[i] + out[i];
        }
    }
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

} // namespace

std::optional<Slice> SliceAlong(const ProblemModel& model, int variable, const PerVariable<double>& point)
{
    assert(variable >= 0 && variable <= model.lastVar);
    if (!model.IsComputed())
        return std::nullopt;
    const auto k = static_cast<std::size_t>(variable);
    Slice slice{variable, std::vector<double>(CountOf(model, variable), kNaN)};
    if (HasZeroPeriod(model))
        return slice;

    PerVariable<bool> isFree{};
    isFree[k] = true;
    std::vector<double> storage;
    const Block block = SumOutHeld(model, isFree, point, storage);
    for (std::size_t j = 0; j < slice.coef.size(); ++j)
        slice.coef[j] = block.data[j * block.stride[k]];
    return slice;
}

std::optional<Sheet> SheetAlong(const ProblemModel& model, int first, int second, const PerVariable<double>& point)
{
    assert(first >= 0 && first <= model.lastVar && second >= 0 && second <= model.lastVar && first != second);
    if (!model.IsComputed())
        return std::nullopt;
    const std::size_t nFirst = CountOf(model, first), nSecond = CountOf(model, second);
    Sheet sheet{first, second, static_cast<int>(nFirst), static_cast<int>(nSecond),
                std::vector<double>(nFirst * nSecond, kNaN)};
    if (HasZeroPeriod(model))
        return sheet;

    PerVariable<bool> isFree{};
    isFree[static_cast<std::size_t>(first)] = isFree[static_cast<std::size_t>(second)] = true;
    std::vector<double> storage;
    const Block block = SumOutHeld(model, isFree, point, storage);
    // Reading through the strides also turns the sheet over when first > second.
    const std::size_t strideFirst = block.stride[static_cast<std::size_t>(first)];
    const std::size_t strideSecond = block.stride[static_cast<std::size_t>(second)];
    for (std::size_t j = 0; j < nSecond; ++j)
        for (std::size_t i = 0; i < nFirst; ++i)
            sheet.coef[i + nFirst * j] = block.data[i * strideFirst + j * strideSecond];
    return sheet;
}

std::vector<double> SampleSlice(const ProblemModel& model, const Slice& slice, std::span<const double> xs)
{
    std::vector<double> values(xs.size(), kNaN);
    if (HasZeroPeriod(model))
        return values;
    const SampledLevel level = MakeSampledLevel(model, slice.variable, xs, slice.coef.size());
    SumAtPoints(level, slice.coef.data(), 1, slice.coef.size(), values.data());
    return values;
}

std::vector<double> SampleSheet(const ProblemModel& model, const Sheet& sheet, std::span<const double> xs,
                                std::span<const double> ys)
{
    const auto nFirst = static_cast<std::size_t>(sheet.firstCount);
    const auto nSecond = static_cast<std::size_t>(sheet.secondCount);
    assert(sheet.coef.size() == nFirst * nSecond);
    std::vector<double> values(xs.size() * ys.size(), kNaN);
    if (HasZeroPeriod(model))
        return values;

    // The second variable first: partial[j + ys.size() * p] is the sheet's
    // row p summed at ys[j]; then each column of samples is a slice at xs.
    const SampledLevel atY = MakeSampledLevel(model, sheet.second, ys, nSecond);
    std::vector<double> partial(ys.size() * nFirst);
    for (std::size_t p = 0; p < nFirst; ++p)
        SumAtPoints(atY, sheet.coef.data() + p, nFirst, nSecond, partial.data() + ys.size() * p);
    const SampledLevel atX = MakeSampledLevel(model, sheet.first, xs, nFirst);
    for (std::size_t j = 0; j < ys.size(); ++j)
        SumAtPoints(atX, partial.data() + j, ys.size(), nFirst, values.data() + xs.size() * j);
    return values;
}

} // namespace tavex
