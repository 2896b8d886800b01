// tavex_soak: the random-event test of the desktop program, R runs of N events
// from seed S on, each run its own seed; the first broken invariant is told
// with the events that led to it. A crash ends the process: --trace keeps
// every event played, so its last lines tell what crashed it.
#include "random_events.h"

#include "app/toolkit/toolkit_application.h"

#include <QSettings>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    unsigned long seed = 1;
    long runs = 1;
    long events = 1000;
    bool neverActivated = false;
    std::string tracePath;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (argument == "--never-activated")
            neverActivated = true;
        else if (value && argument == "--seed")
            seed = std::stoul(argv[++i]);
        else if (value && argument == "--runs")
            runs = std::stol(argv[++i]);
        else if (value && argument == "--events")
            events = std::stol(argv[++i]);
        else if (value && argument == "--trace")
            tracePath = argv[++i];
        else
            return std::fprintf(stderr, "usage: %s [--seed S] [--runs R] [--events N] [--never-activated] "
                                        "[--trace FILE]\n", argv[0]), 2;
    }

    tavex::ToolkitApplication app(argc, argv);
    // The list of recent problems goes to a folder of the run's own, not the user's settings.
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    std::ofstream trace;
    if (!tracePath.empty())
        trace.open(tracePath);
    const auto start = std::chrono::steady_clock::now();
    long played = 0;
    for (long run = 0; run < runs; ++run) {
        const auto runSeed = static_cast<std::uint32_t>(seed + static_cast<unsigned long>(run));
        if (trace.is_open())
            trace << "run seed " << runSeed << std::endl;
        tavex::testing::RandomEvents player({runSeed, neverActivated, trace.is_open() ? &trace : nullptr});
        if (const std::string broken = player.Play(static_cast<int>(events)); !broken.empty())
            return std::fprintf(stderr, "%s", broken.c_str()), 1;
        played += events;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%ld events in %ld runs from seed %lu%s: no broken invariant; %.0f s (%.1f ms an event)\n", played,
                runs, seed, neverActivated ? ", never activated" : "", seconds,
                played > 0 ? 1000.0 * seconds / static_cast<double>(played) : 0.0);
    std::fflush(stdout); // the leak check at exit ends the process without flushing
    return 0;
}
