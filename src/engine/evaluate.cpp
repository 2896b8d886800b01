#include "engine/evaluate.h"

#include <cmath>
#include <limits>
#include <vector>

namespace tavex {

namespace {

// One level of the nested sum, done for every combination of the outer indices
// at once: lines[l * lineStride + j] is inner(j) of line l, j = 0..m. Taking
// all inner sums first and then the outer ones gives each the very operations
// of the nested form, in the same order, while the lines keep the processor busy.
struct Level {
    bool trigonometric = false;
    double offset = 0.0;              // d of Horner's scheme
    std::vector<double> weights;      // 1, sin t, cos t, sin 2t, ... for a trigonometric level
};

Level MakeLevel(bool trigonometric, double offsetOrAngle, int m)
{
    Level level;
    level.trigonometric = trigonometric;
    level.offset = offsetOrAngle;
    if (trigonometric) {
        level.weights.resize(static_cast<std::size_t>(m) + 1);
        TrigonometricWeights(offsetOrAngle, m, level.weights.data());
    }
    return level;
}

// sums[l] = the level's sum over line l of `source`, whose entries lie at
// source[l * lineStride + j * entryStride]. Each line is one chain of
// dependent operations; kChains lines side by side keep the pipelines full.
template <int kChains>
void SumLineGroup(const Level& level, int m, const double* source, std::size_t lineStride,
                  std::size_t entryStride, double* sums)
{
    double s[kChains];
    for (int c = 0; c < kChains; ++c)
        s[c] = 0.0;
    const auto at = [&](int c, int j) {
        return source[static_cast<std::size_t>(c) * lineStride + static_cast<std::size_t>(j) * entryStride];
    };
    if (!level.trigonometric) {
        const double d = level.offset;
        for (int j = m; j >= 0; --j)
            for (int c = 0; c < kChains; ++c)
                s[c] = s[c] * d + at(c, j);
    } else {
        const double* w = level.weights.data();
        for (int j = 0; j <= m; ++j)
            for (int c = 0; c < kChains; ++c)
                s[c] = at(c, j) * w[j] + s[c];
    }
    for (int c = 0; c < kChains; ++c)
        sums[c] = s[c];
}

void SumLines(const Level& level, int m, const double* source, std::size_t lineCount,
              std::size_t lineStride, std::size_t entryStride, double* sums)
{
    constexpr std::size_t kChains = 8;
    std::size_t l = 0;
    for (; l + kChains <= lineCount; l += kChains)
        SumLineGroup<kChains>(level, m, source + l * lineStride, lineStride, entryStride, sums + l);
    for (; l < lineCount; ++l)
        SumLineGroup<1>(level, m, source + l * lineStride, lineStride, entryStride, sums + l);
}

} // namespace

std::optional<double> Evaluate(const ProblemModel& model, PerVariable<double> evalDx)
{
    if (!model.IsComputed())
        return std::nullopt;

    if (HasZeroPeriod(model))
        return std::numeric_limits<double>::quiet_NaN();
    evalDx = LevelArguments(model, evalDx);

    const std::array<int, 4> m = model.UpperIndices();

    // Level 0 reads coef in place; each further level reads the sums of the one inside.
    const Table4& coef = model.coef;
    std::size_t lineCount = 1;
    for (int v = 1; v < 4; ++v)
        lineCount *= static_cast<std::size_t>(m[static_cast<std::size_t>(v)]) + 1;
    std::vector<double> sums(lineCount);
    std::vector<double> next;

    const Level level0 = MakeLevel(model.IsTrigonometric(0), evalDx[0], m[0]);
    // Lines of coef along index 0 lie at (0, j1, j2, j3); the selected ones are
    // not evenly spaced when the storage is larger than the counts.
    {
        std::size_t l = 0;
        for (int j3 = 0; j3 <= m[3]; ++j3)
            for (int j2 = 0; j2 <= m[2]; ++j2) {
                const double* first = coef.data() + coef.Offset(0, 0, j2, j3);
                const auto count = static_cast<std::size_t>(m[1]) + 1;
                SumLines(level0, m[0], first, count, static_cast<std::size_t>(coef.extent(0)), 1,
                         sums.data() + l);
                l += count;
            }
    }
    // sums is now laid out (j1, j2, j3) with j1 fastest: each further level
    // sums over its own index, which is the fastest one left.
    for (int v = 1; v < 4; ++v) {
        const auto slot = static_cast<std::size_t>(v);
        const Level level = MakeLevel(model.IsTrigonometric(v), evalDx[slot], m[slot]);
        const std::size_t entries = static_cast<std::size_t>(m[slot]) + 1;
        const std::size_t lines = sums.size() / entries;
        next.resize(lines);
        SumLines(level, m[slot], sums.data(), lines, entries, 1, next.data());
        sums.swap(next);
    }
    return sums[0];
}

bool HasZeroPeriod(const ProblemModel& model)
{
    for (int v = 0; v <= model.lastVar; ++v)
        if (model.IsTrigonometric(v) && model.Var(v).period == 0.0)
            return true;
    return false;
}

PerVariable<double> LevelArguments(const ProblemModel& model, PerVariable<double> evalDx)
{
    for (int v = 0; v <= model.lastVar; ++v) {
        const auto slot = static_cast<std::size_t>(v);
        if (model.IsTrigonometric(v))
            evalDx[slot] = AngleOfOffset(evalDx[slot], model.Var(slot).period);
    }
    return evalDx;
}

double AngleOfOffset(double dx, double period)
{
    return ((std::atan(1.0) * dx) * 8.0) / period;
}

void TrigonometricWeights(double angle, int m, double* weights)
{
    double running = 0.0;
    int j = 0;
    while (j <= m - 1) {
        weights[j] = std::cos(running);
        running = angle + running;
        ++j;
        weights[j] = std::sin(running);
        ++j;
    }
    if (j == m)
        weights[j] = std::cos(running);
}

} // namespace tavex
