#include "io/problem/table_walk.h"

#include <cassert>

namespace tavex {

TableWalk::TableWalk(const Table4::Extents& extents, const PerVariable<int>& upper, IndexOrder order)
{
    std::size_t stride = 1;
    PerVariable<std::size_t> strides{};
    for (std::size_t d = 0; d < strides.size(); ++d) {
        assert(upper[d] >= 0 && upper[d] < extents[d]);
        strides[d] = stride;
        stride *= static_cast<std::size_t>(extents[d]);
    }
    for (std::size_t k = 0; k < extent_.size(); ++k) {
        const std::size_t d = order == IndexOrder::FirstFastest ? k : extent_.size() - 1 - k;
        extent_[k] = upper[d] + 1;
        stride_[k] = strides[d];
        count_ *= static_cast<std::size_t>(extent_[k]);
    }
}

void TableWalk::Seek(std::size_t position)
{
    assert(position < count_);
    offset_ = 0;
    for (std::size_t k = 0; k < extent_.size(); ++k) {
        const auto n = static_cast<std::size_t>(extent_[k]);
        index_[k] = static_cast<int>(position % n);
        position /= n;
        offset_ += static_cast<std::size_t>(index_[k]) * stride_[k];
    }
}

void TableWalk::Next()
{
    for (std::size_t k = 0; k < extent_.size(); ++k) {
        if (++index_[k] < extent_[k]) {
            offset_ += stride_[k];
            return;
        }
        offset_ -= static_cast<std::size_t>(index_[k] - 1) * stride_[k];
        index_[k] = 0;
    }
}

} // namespace tavex
