#pragma once

#include "engine/variable_basis.h"

#include <cstddef>
#include <vector>

namespace tavex {

// The one step of every evaluation: a level of the nested sum takes one more
// term. Evaluate, EvaluateMany, the slices and their samples all add their
// terms here, in the order TermIndex gives, so that they agree bit for bit
// with one another wherever they sum the same numbers. T is a double or a
// vector of doubles (one point per lane), and so may be the others.
template <class Sum, class Inner, class Factor>
[[gnu::always_inline]] inline Sum AddTerm(LevelForm form, const Sum& sum, const Inner& inner, const Factor& argumentOrWeight)
{
    return form == LevelForm::kWeighted ? inner * argumentOrWeight + sum : sum * argumentOrWeight + inner;
}

// The index of the k-th term a level adds, k = 0..m: Horner's scheme descends.
inline int TermIndex(LevelForm form, int m, int k)
{
    return form == LevelForm::kWeighted ? k : m - k;
}

// One variable's level at one coordinate: its argument and, for a weighted
// level, its weights 0..m.
struct Level {
    LevelForm form = LevelForm::kHorner;
    double argument = 0.0;
    std::vector<double> weights;

    // What term j takes besides its inner sum.
    double Factor(int j) const
    {
        return form == LevelForm::kWeighted ? weights[static_cast<std::size_t>(j)] : argument;
    }
};

Level MakeLevel(const VariableBasis& basis, double coordinate, int m);

// The contraction along one index: sums[l] = the level's sum over lane l,
// l < laneCount, whose entry j = 0..m lies at source[l * laneStride + j * entryStride].
void ContractLanes(const Level& level, int m, const double* source, std::size_t laneCount, std::size_t laneStride,
                   std::size_t entryStride, double* sums);

} // namespace tavex
