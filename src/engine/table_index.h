#pragma once

#include "model/problem_model.h"
#include "model/table4.h"

#include <cstddef>

namespace tavex {

// Where the entry at `index` lies in the table's storage, for any number of variables.
inline std::size_t OffsetOf(const Table4& table, const PerVariable<int>& index)
{
    std::size_t offset = 0;
    for (int d = 0; d < kMaxVariables; ++d)
        offset += static_cast<std::size_t>(index[static_cast<std::size_t>(d)]) * table.Stride(d);
    return offset;
}

// The count along each index, upper + 1, of a table whose upper indices are `upper`.
inline std::size_t CountOf(const PerVariable<int>& upper, int d)
{
    return static_cast<std::size_t>(upper[static_cast<std::size_t>(d)]) + 1;
}

} // namespace tavex
