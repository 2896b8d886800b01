#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <vector>

namespace tavex {

// A four-index table of doubles, first index fastest in memory:
// (i0, i1, i2, i3) lives at i0 + e0 * (i1 + e1 * (i2 + e2 * i3)).
// The extents are those of the storage; the parts of the program that give
// each dimension a meaning may use fewer indices than the storage holds.
class Table4 final {
public:
    using Extents = std::array<int, 4>;

    // One element, value 0.
    Table4();

    // Re-creates the table with indices 0..upper[k] on dimension k, every
    // element 0. Throws std::length_error when the element count does not fit
    // in memory's address range, std::bad_alloc when memory runs out; the table
    // is then unchanged.
    void Reshape(const std::array<int, 4>& upper);

    // Element count of a table with these upper indices, or 0 when it would
    // overflow size_t or an upper index is negative.
    static std::size_t ElementCount(const std::array<int, 4>& upper);

    const Extents& extents() const { return extents_; }
    int extent(int dimension) const { return extents_[static_cast<std::size_t>(dimension)]; }
    std::size_t size() const { return values_.size(); }

    // Distance in elements between neighbours along the dimension.
    std::size_t Stride(int dimension) const;

    std::size_t Offset(int i0, int i1, int i2, int i3) const
    {
        assert(i0 >= 0 && i0 < extents_[0] && i1 >= 0 && i1 < extents_[1]);
        assert(i2 >= 0 && i2 < extents_[2] && i3 >= 0 && i3 < extents_[3]);
        const auto e = [this](int k) { return static_cast<std::size_t>(extents_[static_cast<std::size_t>(k)]); };
        return static_cast<std::size_t>(i0)
             + e(0) * (static_cast<std::size_t>(i1)
             + e(1) * (static_cast<std::size_t>(i2) + e(2) * static_cast<std::size_t>(i3)));
    }

    double& operator()(int i0, int i1, int i2, int i3) { return values_[Offset(i0, i1, i2, i3)]; }
    double operator()(int i0, int i1, int i2, int i3) const { return values_[Offset(i0, i1, i2, i3)]; }

    double* data() { return values_.data(); }
    const double* data() const { return values_.data(); }

    friend bool operator==(const Table4&, const Table4&) = default;

private:
    Extents extents_{1, 1, 1, 1};
    std::vector<double> values_;
};

} // namespace tavex
