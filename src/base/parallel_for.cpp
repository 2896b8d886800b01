#include "base/parallel_for.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace tavex {

int ResolveThreadCount(int requested)
{
    if (requested > 0)
        return requested;
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

void ParallelFor(std::size_t count, int threads,
                 const std::function<void(std::size_t begin, std::size_t end)>& body)
{
    threads = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(ResolveThreadCount(threads)), count));
    if (threads <= 1) {
        if (count > 0)
            body(0, count);
        return;
    }
    // A few chunks per thread even out unequal speeds without much hand-out traffic.
    const std::size_t chunk = std::max<std::size_t>(1, count / (static_cast<std::size_t>(threads) * 8));
    std::atomic<std::size_t> next{0};
    std::exception_ptr failure;
    std::mutex failureMutex;
    const auto work = [&] {
        try {
            for (;;) {
                const std::size_t begin = next.fetch_add(chunk);
                if (begin >= count)
                    return;
                body(begin, std::min(count, begin + chunk));
            }
        } catch (...) {
            const std::lock_guard lock(failureMutex);
            if (!failure)
                failure = std::current_exception();
            next.store(count);
        }
    };
    std::vector<std::thread> helpers;
    helpers.reserve(static_cast<std::size_t>(threads - 1));
    for (int t = 1; t < threads; ++t)
        helpers.emplace_back(work);
    work();
    for (auto& helper : helpers)
        helper.join();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace tavex
