#pragma once

#include <cstddef>

namespace tavex {

// The machine's physical memory in bytes; the largest size_t where the
// system cannot tell it.
std::size_t PhysicalMemoryBytes();

// What one kind of data may take of that memory: half. The two tables
// together, or the basis matrices together, stay within it, so that the rest
// of the program and of the system keep room to work, and a request that
// the system might grant and then kill the process for while it is zeroed
// is refused before it is made.
double MemoryShareBytes();

} // namespace tavex
