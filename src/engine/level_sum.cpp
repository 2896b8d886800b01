#include "engine/level_sum.h"

namespace tavex {

namespace {

// Each lane alone is one chain of dependent operations; kChains lanes side by
// side keep the pipelines full.
template <LevelForm kForm, int kChains>
void ContractLaneGroup(const Level& level, int m, const double* source, std::size_t laneStride,
                       std::size_t entryStride, double* sums)
{
    double s[kChains];
    for (int c = 0; c < kChains; ++c)
        s[c] = 0.0;
    for (int k = 0; k <= m; ++k) {
        const int j = TermIndex(kForm, m, k);
        const double factor = level.Factor(j);
        const double* entry = source + static_cast<std::size_t>(j) * entryStride;
        for (int c = 0; c < kChains; ++c)
            s[c] = AddTerm(kForm, s[c], entry[static_cast<std::size_t>(c) * laneStride], factor);
    }
    for (int c = 0; c < kChains; ++c)
        sums[c] = s[c];
}

template <LevelForm kForm>
void ContractLanesIn(const Level& level, int m, const double* source, std::size_t laneCount, std::size_t laneStride,
                     std::size_t entryStride, double* sums)
{
    constexpr std::size_t kChains = 8;
    std::size_t l = 0;
    for (; l + kChains <= laneCount; l += kChains)
        ContractLaneGroup<kForm, kChains>(level, m, source + l * laneStride, laneStride, entryStride, sums + l);
    for (; l < laneCount; ++l)
        ContractLaneGroup<kForm, 1>(level, m, source + l * laneStride, laneStride, entryStride, sums + l);
}

} // namespace

void ContractLanes(const Level& level, int m, const double* source, std::size_t laneCount, std::size_t laneStride,
                   std::size_t entryStride, double* sums)
{
    if (level.form == LevelForm::kWeighted)
        ContractLanesIn<LevelForm::kWeighted>(level, m, source, laneCount, laneStride, entryStride, sums);
    else
        ContractLanesIn<LevelForm::kHorner>(level, m, source, laneCount, laneStride, entryStride, sums);
}

Level MakeLevel(const VariableBasis& basis, double coordinate, int m)
{
    Level level;
    level.form = basis.kind->Form();
    level.argument = basis.Argument(coordinate);
    if (level.form == LevelForm::kWeighted) {
        level.weights.resize(static_cast<std::size_t>(m) + 1);
        basis.kind->Weights(level.argument, m, level.weights.data());
    }
    return level;
}

} // namespace tavex
