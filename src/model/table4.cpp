#include "model/table4.h"

#include <limits>
#include <stdexcept>

namespace tavex {

Table4::Table4()
    : values_(1, 0.0)
{
}

std::size_t Table4::ElementCount(const std::array<int, 4>& upper)
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

void Table4::Reshape(const std::array<int, 4>& upper)
{
    const std::size_t count = ElementCount(upper);
    if (count == 0)
        throw std::length_error("table too large");
    std::vector<double> values(count, 0.0);
    values_.swap(values);
    for (std::size_t k = 0; k < 4; ++k)
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
