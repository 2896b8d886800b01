#pragma once

#include "base/parallel_for.h"

#include <algorithm>

namespace tavex {

// Below this much arithmetic a second thread costs more than it saves.
inline constexpr double kWorkPerThread = 4.0e6;

// The threads for `work` operations: at most `threads` (0: all the machine has).
inline int ThreadsFor(double work, int threads)
{
    return std::min(ResolveThreadCount(threads), std::max(1, static_cast<int>(work / kWorkPerThread)));
}

} // namespace tavex
