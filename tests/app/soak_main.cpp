// tavex_soak: the random-event test of the desktop program, as long as asked.
//   tavex_soak [--seed S] [--runs R] [--events N] [--never-activated] [--trace FILE]
// Plays R runs of N events from seed S on (each run its own seed), reports
// the first broken invariant with the events that led to it, and prints a
// summary. A crash or a sanitizer report ends the process; --trace keeps
// every event played, one per line, so the last lines tell what crashed it.
#include "random_events.h"

#include "app/toolkit/toolkit_application.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    std::uint32_t seed = 1;
    int runs = 1;
    int events = 1000;
    bool neverActivated = false;
    std::string tracePath;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--seed" && hasValue)
            seed = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        else if (argument == "--runs" && hasValue)
            runs = std::atoi(argv[++i]);
        else if (argument == "--events" && hasValue)
            events = std::atoi(argv[++i]);
        else if (argument == "--never-activated")
            neverActivated = true;
        else if (argument == "--trace" && hasValue)
            tracePath = argv[++i];
        else {
            std::fprintf(stderr, "usage: %s [--seed S] [--runs R] [--events N] [--never-activated] [--trace FILE]\n",
                         argv[0]);
            return 2;
        }
    }

    tavex::ToolkitApplication app(argc, argv);
    std::ofstream trace;
    if (!tracePath.empty())
        trace.open(tracePath);

    const auto start = std::chrono::steady_clock::now();
    long long played = 0;
    int windows = 0;
    int messages = 0;
    tavex::testing::RandomEvents::Stages stages;
    for (int run = 0; run < runs; ++run) {
        const std::uint32_t runSeed = seed + static_cast<std::uint32_t>(run);
        if (trace.is_open())
            trace << "run seed " << runSeed << std::endl;
        tavex::testing::RandomEvents player({runSeed, neverActivated, trace.is_open() ? &trace : nullptr});
        const std::string broken = player.Play(events);
        played += player.eventsPlayed();
        windows += player.windowsOpened();
        messages += player.messagesShown();
        stages.counted += player.stages().counted;
        stages.named += player.stages().named;
        stages.computed += player.stages().computed;
        stages.filed += player.stages().filed;
        if (!broken.empty()) {
            std::fprintf(stderr, "%s", broken.c_str());
            return 1;
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%lld events in %d runs from seed %u%s: no broken invariant; %d main windows, %d messages, "
                "%.0f s (%.1f ms an event)\n",
                played, runs, seed, neverActivated ? ", never activated" : "", windows, messages, seconds,
                played > 0 ? 1000.0 * seconds / static_cast<double>(played) : 0.0);
    std::printf("events ending with the count confirmed %d, the names accepted %d, coefficients computed %d, "
                "a file named %d\n",
                stages.counted, stages.named, stages.computed, stages.filed);
    // The leak check at exit ends the process without flushing.
    std::fflush(stdout);
    return 0;
}
