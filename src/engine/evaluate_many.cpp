#include "engine/evaluate_many.h"

#include "base/parallel_for.h"
#include "engine/kernels/batch_kernels.h"
#include "engine/variable_basis.h"

#include <algorithm>
#include <limits>

namespace tavex {

namespace {

// Points per batch when the caller leaves it open. A batch passes over all the
// coefficients once; past a few hundred points, more per batch gain only a few
// percent (W4, 40^4) while its tables keep growing.
constexpr int kBatchPoints = 512;

// Lays the points out for the kernel: each level's arguments, or its weights.
void FillBatch(std::span<const PerVariable<double>> points, const PerVariable<VariableBasis>& bases, int lanes,
               PointBatch& batch)
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
            const double argument = bases[slot].Argument(point[slot]);
            if (batch.form[slot] == LevelForm::kHorner) {
                *at = argument;
                continue;
            }
            bases[slot].kind->Weights(argument, batch.m[slot], weights.data());
            for (int j = 0; j <= batch.m[slot]; ++j)
                at[static_cast<std::size_t>(j) * width] = weights[static_cast<std::size_t>(j)];
        }
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

    const BatchKernel kernel = BatchKernelFor(options.isa);
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
        PerVariable<VariableBasis> bases{};
        PointBatch batch;
        for (int v = 0; v < kMaxVariables; ++v) {
            const auto slot = static_cast<std::size_t>(v);
            bases[slot] = BasisOf(model, v);
            batch.m[slot] = bases[slot].count - 1;
            batch.form[slot] = bases[slot].kind->Form();
        }
        batch.block = kernel.block;
        for (std::size_t b = begin; b < end; ++b) {
            const std::size_t first = b * batchPoints;
            const std::size_t count = std::min(batchPoints, points.size() - first);
            FillBatch(points.subspan(first, count), bases, kernel.lanes, batch);
            kernel.sum(model.coef, batch);
            std::copy_n(batch.Values().begin(), count, values.begin() + static_cast<std::ptrdiff_t>(first));
        }
    });
    return values;
}

} // namespace tavex
