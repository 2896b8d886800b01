#include "base/memory_share.h"

#include <limits>

#ifdef __unix__
#include <unistd.h>
#endif

namespace tavex {

std::size_t PhysicalMemoryBytes()
{
#if defined(__unix__) && defined(_SC_PHYS_PAGES)
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages > 0 && pageSize > 0)
        return static_cast<std::size_t>(pages) * static_cast<std::size_t>(pageSize);
#endif
    return std::numeric_limits<std::size_t>::max();
}

double MemoryShareBytes()
{
    return static_cast<double>(PhysicalMemoryBytes()) / 2;
}

} // namespace tavex
