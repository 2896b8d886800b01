#pragma once

#include <benchmark/benchmark.h>

#include <optional>
#include <string>
#include <string_view>

namespace tavex::bench {

// VALUE when the only argument is `flag` followed by VALUE ("--write=PATH"):
// a benchmark program's way to write its workload for the numpy comparisons.
inline std::optional<std::string> SoleOption(int argc, char** argv, std::string_view flag)
{
    if (argc != 2 || !std::string_view(argv[1]).starts_with(flag))
        return std::nullopt;
    return std::string(std::string_view(argv[1]).substr(flag.size()));
}

// Runs the benchmarks the arguments pick, as Google Benchmark's own main does.
inline int RunBenchmarks(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace tavex::bench
