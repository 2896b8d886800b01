#include "random_events.h"

#include <gtest/gtest.h>

namespace tavex::testing {
namespace {

// A few thousand events over fixed seeds, half of the runs on a window that
// is never activated; tools/soak plays far more.
TEST(RandomEvents, NoOrderOfUseBreaksTheWindow)
{
    constexpr int kRuns = 8;
    constexpr int kEventsPerRun = 400;
    for (std::uint32_t seed = 1; seed <= kRuns; ++seed) {
        RandomEvents events({seed, seed % 2 == 0, nullptr});
        const std::string broken = events.Play(kEventsPerRun);
        ASSERT_EQ(broken, "") << "replay: tools/soak --seed " << seed << " --events " << kEventsPerRun
                              << (seed % 2 == 0 ? " --never-activated" : "");
    }
}

} // namespace
} // namespace tavex::testing
