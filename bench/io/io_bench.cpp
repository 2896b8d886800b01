// Times saving and opening the W4 pair (40^4: 2.56 million coefficients and
// as many function values): the whole operations on disk, and their text
// work alone (laying out and parsing in memory), the listing tavex-cli
// prints and the exports, tables and code. compare_numpy.py runs it.
//
// --write-pair=DIR saves the pair as DIR/w4 and DIR/w4.dat and exits, so that
// the comparison can time numpy on exactly the same numbers.
#include "commands/export_command.h"
#include "engine/compute.h"
#include "io/listing/coefficient_listing.h"
#include "io/problem/problem_file_reader.h"
#include "io/problem/problem_file_writer.h"
#include "io/problem/problem_files.h"
#include "support/temp_dir.h"
#include "bench_main.h"
#include "workloads.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace tavex::bench {
namespace {

// The W4 problem with computed coefficients, made once.
const ProblemModel& W4Problem()
{
    static const ProblemModel model = [] {
        ProblemModel m = MakeWorkloadProblem(Workloads()[3], false);
        const ComputeOutcome outcome = Compute(m, kAllSpaced);
        if (!outcome.succeeded)
            std::abort();
        return m;
    }();
    return model;
}

void BM_Save(benchmark::State& state)
{
    testing::TempDir dir;
    ProblemModel model = W4Problem();
    for (auto _ : state) {
        const FileOutcome outcome = SaveProblemFiles(model, dir.File("w4"));
        if (!outcome.ok)
            state.SkipWithError(outcome.message.c_str());
    }
}

void BM_Open(benchmark::State& state)
{
    testing::TempDir dir;
    ProblemModel saved = W4Problem();
    if (!SaveProblemFiles(saved, dir.File("w4")).ok) {
        state.SkipWithError("save failed");
        return;
    }
    for (auto _ : state) {
        ProblemModel model;
        OpenedEntries entries;
        const FileOutcome outcome = OpenProblemFiles(model, dir.File("w4"), entries);
        if (!outcome.ok)
            state.SkipWithError(outcome.message.c_str());
        benchmark::DoNotOptimize(model.coef.data());
    }
}

void BM_SaveAndOpen(benchmark::State& state)
{
    testing::TempDir dir;
    ProblemModel model = W4Problem();
    for (auto _ : state) {
        if (!SaveProblemFiles(model, dir.File("w4")).ok)
            state.SkipWithError("save failed");
        ProblemModel reopened;
        OpenedEntries entries;
        if (!OpenProblemFiles(reopened, dir.File("w4"), entries).ok)
            state.SkipWithError("open failed");
        benchmark::DoNotOptimize(reopened.coef.data());
    }
}

void BM_LayOut(benchmark::State& state)
{
    const ProblemModel& model = W4Problem();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string problem = ProblemFileText(model);
        const std::string data = DataFileText(model);
        bytes = problem.size() + data.size();
        benchmark::DoNotOptimize(problem.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}

void BM_Parse(benchmark::State& state)
{
    const ProblemModel& model = W4Problem();
    const std::string problem = ProblemFileText(model);
    const std::string data = DataFileText(model);
    for (auto _ : state) {
        OpenedProblem opened;
        if (!ParseProblemFiles(problem, data, "w4", opened).ok)
            state.SkipWithError("parse failed");
        benchmark::DoNotOptimize(opened.model.coef.data());
    }
}

// The listing tavex-cli prints, into a sink that only counts: the text laid
// out in pieces, against the list box's line at a time trimmed as tavex-cli
// trimmed them before.
void BM_ListingText(benchmark::State& state)
{
    const ProblemModel& model = W4Problem();
    std::size_t bytes = 0;
    for (auto _ : state)
        WriteListingText(model, [&bytes](std::string_view piece) { bytes += piece.size(); });
    benchmark::DoNotOptimize(bytes);
}

void BM_ListingLines(benchmark::State& state)
{
    const ProblemModel& model = W4Problem();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const CoefficientListing listing(model);
        for (std::size_t row = 0; row < listing.LineCount(); ++row) {
            const std::string line = listing.Line(row);
            bytes += line.find_last_not_of(' ') + 2;
        }
    }
    benchmark::DoNotOptimize(bytes);
}

// Each export format laid out into a sink that only counts.
void BM_Export(benchmark::State& state, command::ExportFormat format)
{
    const ProblemModel& model = W4Problem();
    std::size_t bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        const auto refused = command::WriteExport(model, "w4", format, {},
                                                  [&bytes](std::string_view piece) { bytes += piece.size(); });
        if (refused)
            state.SkipWithError(refused->c_str());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}

int WritePair(const std::string& directory)
{
    ProblemModel model = W4Problem();
    const FileOutcome outcome = SaveProblemFiles(model, directory + "/w4");
    if (!outcome.ok) {
        std::fprintf(stderr, "%s\n", outcome.message.c_str());
        return 1;
    }
    return 0;
}

} // namespace
} // namespace tavex::bench

BENCHMARK(tavex::bench::BM_Save)->Name("Save/W4")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(tavex::bench::BM_Open)->Name("Open/W4")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(tavex::bench::BM_SaveAndOpen)->Name("SaveAndOpen/W4")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(tavex::bench::BM_LayOut)->Name("LayOut/W4")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(tavex::bench::BM_Parse)->Name("Parse/W4")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(tavex::bench::BM_ListingText)->Name("ListingText/W4")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(tavex::bench::BM_ListingLines)->Name("ListingLines/W4")->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    using tavex::CodeLanguage;
    using tavex::CoefficientFormat;
    const std::pair<const char*, tavex::command::ExportFormat> formats[] = {
        {"csv", CoefficientFormat::Csv},        {"json", CoefficientFormat::Json},
        {"c", CodeLanguage::C},                 {"cpp", CodeLanguage::Cpp},
        {"python", CodeLanguage::Python},       {"fortran", CodeLanguage::Fortran},
        {"javascript", CodeLanguage::JavaScript}, {"matlab", CodeLanguage::Matlab},
    };
    for (const auto& [name, format] : formats)
        benchmark::RegisterBenchmark(std::string("Export/W4/").append(name).c_str(), tavex::bench::BM_Export, format)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    if (const auto path = tavex::bench::SoleOption(argc, argv, "--write-pair="))
        return tavex::bench::WritePair(*path);
    return tavex::bench::RunBenchmarks(argc, argv);
}
