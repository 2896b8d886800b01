#include "engine/slice.h"

#include "base/parallel_for.h"
#include "engine/level_sum.h"
#include "engine/variable_basis.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <limits>

namespace tavex {

namespace {

using Counts = PerVariable<std::size_t>;

// Below this many values read, starting threads costs more than it saves.
constexpr std::size_t kParallelFromValues = std::size_t{1} << 18;

std::size_t CountOf(const ProblemModel& model, int v)
{
    return static_cast<std::size_t>(BasisOf(model, v).count);
}

// kMaxVariables indices over values in memory; index 0 always has stride 1. Either
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
    for (std::size_t d = 1; d < count.size(); ++d)
        block.stride[d] = block.stride[d - 1] * count[d - 1];
    return block;
}

std::size_t ValueCount(const Counts& count)
{
    std::size_t values = 1;
    for (const std::size_t c : count)
        values *= c;
    return values;
}

int SliceThreads(const Block& block)
{
    return ValueCount(block.count) >= kParallelFromValues ? 0 : 1;
}

// Where run `run` of lines begins: the runs number the indices from 2 on, the lowest fastest.
const double* RunStart(const Block& in, std::size_t run, std::size_t skipped)
{
    const double* at = in.data;
    for (std::size_t d = 0; d < in.count.size(); ++d) {
        if (d == 0 || d == skipped)
            continue;
        at += (run % in.count[d]) * in.stride[d];
        run /= in.count[d];
    }
    return at;
}

// Sums index 0 out of `in` into `out`, dense with count 1 on index 0.
void SumOutFirstIndex(const Level& level, const Block& in, double* out)
{
    const std::size_t n0 = in.count[0], n1 = in.count[1];
    // A run: the lines along index 1 at one combination of the later indices,
    // evenly spaced in the table and contiguous in `out`.
    ParallelFor(ValueCount(in.count) / (n0 * n1), SliceThreads(in), [&](std::size_t begin, std::size_t end) {
        for (std::size_t run = begin; run < end; ++run)
            ContractLanes(level, static_cast<int>(n0) - 1, RunStart(in, run, 1), n1, in.stride[1], 1, out + n1 * run);
    });
}

// Line l of `out` takes the level's sum of the entries source + j * stride
// over whole lines along index 0 at once: the inner loop runs over
// contiguous values with no dependence between them.
template <LevelForm kForm>
void ContractWholeLines(const Level& level, int m, const double* source, std::size_t stride, std::size_t n0,
                        double* __restrict line)
{
    std::fill(line, line + n0, 0.0);
    for (int k = 0; k <= m; ++k) {
        const int j = TermIndex(kForm, m, k);
        const double factor = level.Factor(j);
        const double* entry = source + static_cast<std::size_t>(j) * stride;
        for (std::size_t i = 0; i < n0; ++i)
            line[i] = AddTerm(kForm, line[i], entry[i], factor);
    }
}

// Sums index k > 0 out of `in` into `out`, dense with count 1 on index k.
void SumOutLaterIndex(const Level& level, const Block& in, std::size_t k, double* out)
{
    const std::size_t n0 = in.count[0], nk = in.count[k], stride = in.stride[k];
    const int m = static_cast<int>(nk) - 1;
    // Line l of `out` is where the dense layout puts the other indices once
    // index k has count 1.
    ParallelFor(ValueCount(in.count) / (n0 * nk), SliceThreads(in), [&](std::size_t begin, std::size_t end) {
        for (std::size_t l = begin; l < end; ++l) {
            const double* source = RunStart(in, l, k);
            if (level.form == LevelForm::kWeighted)
                ContractWholeLines<LevelForm::kWeighted>(level, m, source, stride, n0, out + n0 * l);
            else
                ContractWholeLines<LevelForm::kHorner>(level, m, source, stride, n0, out + n0 * l);
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
    for (int d = 0; d < kMaxVariables; ++d) {
        block.count[static_cast<std::size_t>(d)] = CountOf(model, d);
        block.stride[static_cast<std::size_t>(d)] = coef.Stride(d);
    }

    // Variables beyond lastVar have one index and weight 1: nothing to sum.
    std::vector<double> next;
    for (int v = 0; v <= model.lastVar; ++v) {
        const auto k = static_cast<std::size_t>(v);
        if (isFree[k])
            continue;
        const Level level = MakeLevel(BasisOf(model, v), point[k], static_cast<int>(block.count[k]) - 1);
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

// One variable's basis functions at many coordinates, laid out for sums that
// run over the coordinates in their innermost loop.
struct SampledLevel {
    LevelForm form = LevelForm::kHorner;
    std::size_t points = 0;
    std::vector<double> arguments; // a Horner level's argument at each point
    std::vector<double> weights;   // a weighted level's weights[j * points + i], function j at point i
};

SampledLevel MakeSampledLevel(const ProblemModel& model, int v, std::span<const double> xs, std::size_t count)
{
    const VariableBasis basis = BasisOf(model, v);
    SampledLevel level;
    level.form = basis.kind->Form();
    level.points = xs.size();
    if (level.form == LevelForm::kHorner) {
        level.arguments.resize(xs.size());
        for (std::size_t i = 0; i < xs.size(); ++i)
            level.arguments[i] = basis.Argument(xs[i]);
        return level;
    }
    level.weights.resize(count * xs.size());
    std::vector<double> atPoint(count);
    for (std::size_t i = 0; i < xs.size(); ++i) {
        basis.kind->Weights(basis.Argument(xs[i]), static_cast<int>(count) - 1, atPoint.data());
        for (std::size_t j = 0; j < count; ++j)
            level.weights[j * xs.size() + i] = atPoint[j];
    }
    return level;
}

// out[i] = the sum over j < count of coef[j * coefStride] times basis
// function j at point i, by the operations of Evaluate's level.
template <LevelForm kForm>
void SumAtPointsIn(const SampledLevel& level, const double* coef, std::size_t coefStride, std::size_t count,
                   double* __restrict out)
{
    const std::size_t n = level.points;
    std::fill(out, out + n, 0.0);
    const int m = static_cast<int>(count) - 1;
    for (int k = 0; k <= m; ++k) {
        const auto j = static_cast<std::size_t>(TermIndex(kForm, m, k));
        const double c = coef[j * coefStride];
        const double* factor = kForm == LevelForm::kWeighted ? level.weights.data() + j * n : level.arguments.data();
        for (std::size_t i = 0; i < n; ++i)
            out[i] = AddTerm(kForm, out[i], c, factor[i]);
    }
}

void SumAtPoints(const SampledLevel& level, const double* coef, std::size_t coefStride, std::size_t count,
                 double* out)
{
    if (level.form == LevelForm::kWeighted)
        SumAtPointsIn<LevelForm::kWeighted>(level, coef, coefStride, count, out);
    else
        SumAtPointsIn<LevelForm::kHorner>(level, coef, coefStride, count, out);
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
