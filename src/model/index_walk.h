#pragma once

#include "model/per_variable.h"

namespace tavex {

// Calls visit(i) at every index i with 0 <= i[k] <= upper[k], the first index
// fastest: the tables' storage order, and the order of the listing.
template <typename Visit>
void ForEachIndex(const PerVariable<int>& upper, Visit&& visit)
{
    PerVariable<int> i{};
    for (;;) {
        visit(static_cast<const PerVariable<int>&>(i));
        std::size_t k = 0;
        while (k < i.size() && ++i[k] > upper[k])
            i[k++] = 0;
        if (k == i.size())
            return;
    }
}

} // namespace tavex
