#pragma once

#include "model/per_variable.h"

#include <array>
#include <atomic>
#include <cassert>
#include <cstddef>
#include <memory>

namespace tavex {

// A table of doubles with one index per variable, first index fastest in memory:
// (i0, i1, i2, i3) lives at i0 + e0 * (i1 + e1 * (i2 + e2 * i3)).
// The extents are those of the storage; the parts of the program that give
// each dimension a meaning may use fewer indices than the storage holds.
//
// A copy shares the values until either side asks for them to write (the
// non-const data() and element access): a snapshot of a problem for work on
// another thread, or for the listing, costs no copy of its tables, and an
// edit made meanwhile copies them once. Every copy still behaves as a value.
// One object is not to be written from two threads at once; two objects
// sharing values may be used from any threads.
class Table4 final {
public:
    using Extents = PerVariable<int>;
    static_assert(kMaxVariables == 4, "the element access below takes one index per variable");

    // One element, value 0.
    Table4();

    // Re-creates the table with indices 0..upper[k] on dimension k, every
    // element 0. Throws std::length_error when its size would not even fit a
    // size_t, std::bad_alloc when memory runs out; the table is then
    // unchanged. How much memory the tables may take is the problem's rule
    // (ProblemModel::TablesFit).
    void Reshape(const Extents& upper);

    // Element count of a table with these upper indices, or 0 when it would
    // overflow size_t or an upper index is negative.
    static std::size_t ElementCount(const Extents& upper);

    const Extents& extents() const { return extents_; }
    int extent(int dimension) const { return extents_[static_cast<std::size_t>(dimension)]; }
    std::size_t size() const { return size_; }

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

    double& operator()(int i0, int i1, int i2, int i3) { return data()[Offset(i0, i1, i2, i3)]; }
    double operator()(int i0, int i1, int i2, int i3) const { return values_[Offset(i0, i1, i2, i3)]; }
    // The element at one index per dimension.
    double& At(const Extents& i) { return (*this)(i[0], i[1], i[2], i[3]); }
    double At(const Extents& i) const { return (*this)(i[0], i[1], i[2], i[3]); }

    // The values to write: a table sharing them with a copy gets its own first.
    double* data()
    {
        MakeOwn();
        return values_.get();
    }
    const double* data() const { return values_.get(); }

    // Whether the two hold the very same storage (a copy not yet written to).
    bool SharesValuesWith(const Table4& other) const { return values_ == other.values_; }

    // Same extents and equal values (so a NaN makes two tables unequal).
    friend bool operator==(const Table4& a, const Table4& b);

private:
    struct Release {
        void operator()(double* p) const;
    };
    using Storage = std::shared_ptr<double[]>;

    void MakeOwn()
    {
        if (values_.use_count() > 1)
            CopyValues();
        else // the other holders' last reads happen before this table's writes
            std::atomic_thread_fence(std::memory_order_acquire);
    }
    void CopyValues();

    // Storage for count values, zeroed unless told not to, 64-byte aligned; a
    // big table gets huge pages where the system offers them, as the solver
    // reads it across strides far larger than a small page.
    static Storage Allocate(std::size_t count, bool zeroed = true);

    Extents extents_{1, 1, 1, 1};
    std::size_t size_ = 1;
    Storage values_;
};

} // namespace tavex
