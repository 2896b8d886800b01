#pragma once

#include <cstddef>
#include <functional>

namespace tavex {

// The number of threads to use when the caller asks for 0 ("all the machine has").
int ResolveThreadCount(int requested);

// Runs body over [0, count) split into chunks, on up to `threads` threads
// (the caller's among them; 0: all the machine has). Chunks are handed out in no fixed order, so body
// must give the same result whichever thread runs which chunk. An exception
// thrown by body is rethrown here after every thread has stopped.
void ParallelFor(std::size_t count, int threads,
                 const std::function<void(std::size_t begin, std::size_t end)>& body);

} // namespace tavex
