#pragma once

#include <array>

namespace tavex {

// The most variables a problem has: the rank of its tables.
inline constexpr int kMaxVariables = 4;

// One slot per variable; slots beyond lastVar stay 0, false or empty.
template <typename T>
using PerVariable = std::array<T, kMaxVariables>;

} // namespace tavex
