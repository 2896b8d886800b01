#pragma once

#include "engine/kernels/lane_layout.h"
#include "model/problem_model.h"

#include <algorithm>
#include <cstddef>

namespace tavex {

// Blocks of a table for work along one or more neighbouring variables, the
// solve's and the rebuild's: whole along those variables, cut along the
// others so that a block holds about blockValues values and stays in the
// processor's caches from one variable to the next. A line along one of the
// variables lies within one block, so the lines along the first, then those
// along the next, do for each line what one variable after the other does.
class TableBlocks final {
public:
    TableBlocks(const PerVariable<int>& upper, int firstAxis, int lastAxis, std::size_t blockValues)
        : upper_(upper)
    {
        std::size_t whole = 1;
        for (int d = firstAxis; d <= lastAxis; ++d)
            whole *= Count(d);
        std::size_t room = std::max<std::size_t>(1, blockValues / whole);
        for (int d = 0; d < kMaxVariables; ++d) {
            const auto slot = static_cast<std::size_t>(d);
            if (d >= firstAxis && d <= lastAxis) {
                length_[slot] = Count(d);
                continue;
            }
            length_[slot] = std::min(Count(d), room);
            blocks_[slot] = (Count(d) + length_[slot] - 1) / length_[slot];
            room = length_[slot] == Count(d) ? std::max<std::size_t>(1, room / Count(d)) : 1;
        }
    }

    std::size_t count() const
    {
        std::size_t blocks = 1;
        for (const std::size_t b : blocks_)
            blocks *= b;
        return blocks;
    }

    // The upper indices of a table that holds any block.
    PerVariable<int> BlockUpper() const
    {
        PerVariable<int> upper{};
        for (std::size_t slot = 0; slot < length_.size(); ++slot)
            upper[slot] = static_cast<int>(length_[slot]) - 1;
        return upper;
    }

    // The lines along `axis` within block `index`.
    LineSelection Lines(std::size_t index, int axis) const
    {
        LineSelection lines{axis, upper_, {}};
        for (std::size_t slot = 0; slot < length_.size(); ++slot) {
            const std::size_t start = index % blocks_[slot] * length_[slot];
            index /= blocks_[slot];
            lines.lower[slot] = static_cast<int>(start);
            lines.upper[slot] = static_cast<int>(std::min(Count(static_cast<int>(slot)), start + length_[slot])) - 1;
        }
        return lines;
    }

private:
    static PerVariable<std::size_t> Ones()
    {
        PerVariable<std::size_t> ones{};
        ones.fill(1);
        return ones;
    }
    std::size_t Count(int d) const { return static_cast<std::size_t>(upper_[static_cast<std::size_t>(d)]) + 1; }

    PerVariable<int> upper_;
    PerVariable<std::size_t> length_ = Ones();
    PerVariable<std::size_t> blocks_ = Ones();
};

} // namespace tavex
