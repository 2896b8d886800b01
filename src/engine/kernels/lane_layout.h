#pragma once

#include "model/problem_model.h"
#include "model/table4.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace tavex {

// The lines of a table along one dimension, `axis`: for every combination of
// the other indices, each running lower[d]..upper[d], the entries whose index
// on `axis` runs 0..upper[axis]. Entries outside take no part.
struct LineSelection {
    int axis = 0;
    PerVariable<int> upper{};
    PerVariable<int> lower{}; // lower[axis] is ignored: a line always starts at 0
};

// Lanes are the selected lines, numbered with the other dimensions in
// increasing order, the lowest fastest. Lanes form runs: stretches in which
// neighbouring lanes lie laneStride apart in memory. A run spans as many of the
// lowest other dimensions as the storage lays out without gaps.
class LaneLayout final {
public:
    LaneLayout(const Table4& table, const LineSelection& lines)
    {
        entryStride_ = table.Stride(lines.axis);
        bool inRun = true;
        std::size_t runEnd = 0; // the stride at which the run so far would continue
        for (int d = 0; d < kMaxVariables; ++d) {
            if (d == lines.axis)
                continue;
            const auto slot = static_cast<std::size_t>(d);
            const std::size_t count = static_cast<std::size_t>(lines.upper[slot] - lines.lower[slot]) + 1;
            const std::size_t stride = table.Stride(d);
            origin_ += static_cast<std::size_t>(lines.lower[slot]) * stride;
            if (inRun && runLength_ == 1) {
                laneStride_ = stride;
                runLength_ = count;
                runEnd = stride * count;
            } else if (inRun && stride == runEnd) {
                runLength_ *= count;
                runEnd *= count;
            } else {
                inRun = false;
                outer_[static_cast<std::size_t>(outerDims_++)] = {count, stride};
            }
            // A run can only continue over the next dimension when it covers
            // this one whole.
            if (inRun && count != static_cast<std::size_t>(table.extent(d)))
                inRun = false;
        }
        laneCount_ = runLength_;
        for (int o = 0; o < outerDims_; ++o)
            laneCount_ *= outer_[static_cast<std::size_t>(o)].count;
    }

    std::size_t laneCount() const { return laneCount_; }
    std::size_t entryStride() const { return entryStride_; }
    std::size_t laneStride() const { return laneStride_; }
    // Neighbouring lanes of a run are neighbours in memory.
    bool lanesContiguous() const { return laneStride_ == 1; }

    // Calls visit(offset of entry 0 of the stretch's first lane, lane count,
    // position of that lane within [first, last)) for each stretch of a run
    // within lanes [first, last).
    template <typename Visit>
    void ForEachStretch(std::size_t first, std::size_t last, Visit&& visit) const
    {
        std::size_t lane = first;
        while (lane < last) {
            std::size_t run = lane / runLength_;
            const std::size_t position = lane % runLength_;
            const std::size_t count = std::min(runLength_ - position, last - lane);
            std::size_t base = origin_ + position * laneStride_;
            for (int o = 0; o < outerDims_; ++o) {
                const OuterDim& dim = outer_[static_cast<std::size_t>(o)];
                base += (run % dim.count) * dim.stride;
                run /= dim.count;
            }
            visit(base, count, lane - first);
            lane += count;
        }
    }

private:
    struct OuterDim {
        std::size_t count = 1;
        std::size_t stride = 0;
    };
    std::size_t origin_ = 0;
    std::size_t entryStride_ = 1;
    std::size_t runLength_ = 1;
    std::size_t laneStride_ = 1;
    std::array<OuterDim, kMaxVariables - 1> outer_{};
    int outerDims_ = 0;
    std::size_t laneCount_ = 1;
};

} // namespace tavex
