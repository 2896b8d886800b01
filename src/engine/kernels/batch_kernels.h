#pragma once

#include "engine/kernels/line_kernels.h"
#include "engine/level_sum.h"
#include "model/problem_model.h"
#include "model/table4.h"

#include <algorithm>
#include <cstddef>
#include <new>
#include <vector>

namespace tavex {

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
struct PointBatch {
    PerVariable<int> m{};
    PerVariable<LevelForm> form{};
    int block = 0;
    int points = 0;
    PerVariable<AlignedDoubles> arguments;
    // Level v's running sums over the points, v >= 2: levels 0 and 1 stay in registers.
    PerVariable<AlignedDoubles> sums;
    std::vector<const double*> lines; // level 0's lines at one index of the later levels, in level 1's order

    // The value of each point once the kernel has run.
    const AlignedDoubles& Values() const { return sums[kMaxVariables - 1]; }

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

// The nested sum of a batch's points over the coefficients, built for one
// instruction set: each coefficient is read once per batch, and each point
// meets its terms in Evaluate's order, whatever the instruction set.
struct BatchKernel {
    int lanes; // points per vector: a batch holds a multiple of them
    int block; // the points one call of the innermost loops runs side by side
    void (*sum)(const Table4& coef, PointBatch& batch);
};

BatchKernel BatchKernelFor(KernelIsa isa);

} // namespace tavex
