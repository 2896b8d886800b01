#include "model/table4.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace tavex {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

} // namespace

void Table4::Release::operator()(double* p) const
{
    std::free(p);
}

Table4::Storage Table4::Allocate(std::size_t count, bool zeroed)
{
    const std::size_t bytes = count * sizeof(double);
    const std::size_t alignment = bytes >= 2 * kHugePage ? kHugePage : 64;
    const std::size_t rounded = (bytes + alignment - 1) / alignment * alignment;
    void* p = std::aligned_alloc(alignment, rounded);
    if (!p)
        throw std::bad_alloc();
#ifdef __linux__
    if (alignment == kHugePage)
        madvise(p, rounded, MADV_HUGEPAGE); // a hint: without it the table only runs slower
#endif
    if (zeroed)
        std::memset(p, 0, bytes);
    return Storage(static_cast<double*>(p), Release{});
}

Table4::Table4()
    : values_(Allocate(1))
{
}

void Table4::CopyValues()
{
    Storage own = Allocate(size_, false);
    std::memcpy(own.get(), values_.get(), size_ * sizeof(double));
    values_ = std::move(own);
}

bool operator==(const Table4& a, const Table4& b)
{
    return a.extents_ == b.extents_ && std::equal(a.data(), a.data() + a.size_, b.data());
}

std::size_t Table4::ElementCount(const Extents& upper)
{
    std::size_t count = 1;
    for (const int u : upper) {
        if (u < 0)
            return 0;
        const std::size_t extent = static_cast<std::size_t>(u) + 1;
        if (count > std::numeric_limits<std::size_t>::max() / sizeof(double) / extent)
            return 0;
        count *= extent;
    }
    return count;
}

void Table4::Reshape(const Extents& upper)
{
    const std::size_t count = ElementCount(upper);
    if (count == 0)
        throw std::length_error("table too large");
    Storage values = Allocate(count);
    values_ = std::move(values);
    size_ = count;
    for (std::size_t k = 0; k < extents_.size(); ++k)
        extents_[k] = upper[k] + 1;
}

std::size_t Table4::Stride(int dimension) const
{
    std::size_t stride = 1;
    for (int k = 0; k < dimension; ++k)
        stride *= static_cast<std::size_t>(extents_[static_cast<std::size_t>(k)]);
    return stride;
}

} // namespace tavex
