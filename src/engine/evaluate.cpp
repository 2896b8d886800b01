#include "engine/evaluate.h"

#include "engine/contraction.h"
#include "engine/table_index.h"
#include "engine/variable_basis.h"

#include <limits>
#include <vector>

namespace tavex {

// One level of the nested sum is done for every combination of the outer
// indices at once: taking all inner sums first and then the outer ones gives
// each the very operations of the nested form, in the same order, while the
// lines keep the processor busy.
double ContractCoefficients(const ProblemModel& model, const PerVariable<Level>& levels)
{
    const Table4& coef = model.coef;
    PerVariable<int> m{};
    std::size_t outerLines = 1; // the lines of coef along index 0
    for (int v = 0; v < kMaxVariables; ++v) {
        m[static_cast<std::size_t>(v)] = BasisOf(model, v).count - 1;
        if (v > 0)
            outerLines *= static_cast<std::size_t>(m[static_cast<std::size_t>(v)]) + 1;
    }
    std::vector<double> sums(outerLines);
    std::vector<double> next;

    // Level 0 reads coef in place, a run of lines along index 1 at a time: the
    // selected lines are not evenly spaced when the storage is larger than the counts.
    const Level& level0 = levels[0];
    const auto runLength = static_cast<std::size_t>(m[1]) + 1;
    for (std::size_t run = 0; run * runLength < outerLines; ++run) {
        PerVariable<int> index{};
        std::size_t rest = run;
        for (int v = 2; v < kMaxVariables; ++v) {
            const auto count = static_cast<std::size_t>(m[static_cast<std::size_t>(v)]) + 1;
            index[static_cast<std::size_t>(v)] = static_cast<int>(rest % count);
            rest /= count;
        }
        ContractLanes(level0, m[0], coef.data() + OffsetOf(coef, index), runLength,
                      static_cast<std::size_t>(coef.extent(0)), 1, sums.data() + run * runLength);
    }
    // sums is now laid out (j1, j2, ...) with j1 fastest: each further level
    // sums over its own index, which is the fastest one left.
    for (int v = 1; v < kMaxVariables; ++v) {
        const auto slot = static_cast<std::size_t>(v);
        const Level& level = levels[slot];
        const std::size_t entries = static_cast<std::size_t>(m[slot]) + 1;
        const std::size_t lines = sums.size() / entries;
        next.resize(lines);
        ContractLanes(level, m[slot], sums.data(), lines, entries, 1, next.data());
        sums.swap(next);
    }
    return sums[0];
}

std::optional<double> Evaluate(const ProblemModel& model, const PerVariable<double>& point)
{
    if (!model.IsComputed())
        return std::nullopt;
    if (HasZeroPeriod(model))
        return std::numeric_limits<double>::quiet_NaN();
    PerVariable<Level> levels;
    for (int v = 0; v < kMaxVariables; ++v) {
        const VariableBasis basis = BasisOf(model, v);
        levels[static_cast<std::size_t>(v)] = MakeLevel(basis, point[static_cast<std::size_t>(v)], basis.count - 1);
    }
    return ContractCoefficients(model, levels);
}

} // namespace tavex
