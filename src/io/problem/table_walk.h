#pragma once

#include "model/table4.h"

#include <array>
#include <cstddef>

namespace tavex {

// The two orders in which the files list a four-index table: the coefficients
// with the first index fastest (storage order), the function table with the
// last index fastest.
enum class IndexOrder { FirstFastest, LastFastest };

// Steps through the elements (i0..i3), each i_k in 0..upper[k], of a table in
// one of the file orders, giving the storage offset of each. Incremental, so
// that millions of elements cost no division each.
class TableWalk final {
public:
    TableWalk(const Table4::Extents& extents, const PerVariable<int>& upper, IndexOrder order);

    std::size_t count() const { return count_; }

    // Moves to the element at this position of the order (0 <= position < count).
    void Seek(std::size_t position);
    std::size_t offset() const { return offset_; }
    void Next();

private:
    // Per dimension in the order's sequence, fastest first.
    PerVariable<int> extent_{};
    PerVariable<std::size_t> stride_{};
    PerVariable<int> index_{};
    std::size_t count_ = 1;
    std::size_t offset_ = 0;
};

} // namespace tavex
