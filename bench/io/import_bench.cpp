// Times importing the W4 table (40^4 = 2.56 million rows "x,y,z,w,f" under
// a header row, about 240 MB): ReadTable from the disk, and the parse alone on
// the text in memory. compare_numpy_import.py runs it.
//
// --write-table=PATH writes the table to PATH and exits, so that the
// comparison can time numpy on exactly the same file.
#include "io/table/table_import.h"
#include "model/number_text.h"
#include "support/temp_dir.h"
#include "bench_main.h"
#include "workloads.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace tavex::bench {
namespace {

// The long table of W4, the last variable running fastest, numbers as the
// program writes them (15 significant digits).
std::string W4TableText()
{
    const ProblemModel model = MakeWorkloadProblem(Workloads()[3], false);
    const auto& e = model.funTable.extents();
    std::string text = "x,y,z,w,f\n";
    text.reserve(static_cast<std::size_t>(e[0]) * e[1] * e[2] * e[3] * 96);
    char number[kMaxNumberText];
    const auto append = [&](double value, char end) {
        text.append(number, static_cast<std::size_t>(WriteNumberText(value, number)));
        text += end;
    };
    for (int i0 = 0; i0 < e[0]; ++i0)
        for (int i1 = 0; i1 < e[1]; ++i1)
            for (int i2 = 0; i2 < e[2]; ++i2)
                for (int i3 = 0; i3 < e[3]; ++i3) {
                    append(model.Var(0).Value(i0), ',');
                    append(model.Var(1).Value(i1), ',');
                    append(model.Var(2).Value(i2), ',');
                    append(model.Var(3).Value(i3), ',');
                    append(model.funTable(i0, i1, i2, i3), '\n');
                }
    return text;
}

const std::string& W4Table()
{
    static const std::string text = W4TableText();
    return text;
}

bool WriteTable(const std::string& path)
{
    std::ofstream out(path, std::ios::binary);
    out << W4Table();
    return static_cast<bool>(out.flush());
}

void BM_ReadTable(benchmark::State& state)
{
    const testing::TempDir dir;
    const std::string path = dir.File("w4.csv");
    if (!WriteTable(path)) {
        state.SkipWithError("cannot write the table");
        return;
    }
    for (auto _ : state) {
        OpenedProblem imported;
        const FileOutcome outcome = ReadTable(path, {}, imported);
        if (!outcome.ok)
            state.SkipWithError(outcome.message.c_str());
        benchmark::DoNotOptimize(imported.model.funTable.data());
    }
    state.counters["bytes"] = static_cast<double>(W4Table().size());
}

void BM_ParseTable(benchmark::State& state)
{
    const std::string& text = W4Table();
    for (auto _ : state) {
        OpenedProblem imported;
        if (!ParseTable(text, "w4.csv", {}, imported).ok)
            state.SkipWithError("parse failed");
        benchmark::DoNotOptimize(imported.model.funTable.data());
    }
}

} // namespace
} // namespace tavex::bench

BENCHMARK(tavex::bench::BM_ReadTable)->Name("ReadTable/W4")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(tavex::bench::BM_ParseTable)->Name("ParseTable/W4")->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    if (const auto path = tavex::bench::SoleOption(argc, argv, "--write-table=")) {
        if (tavex::bench::WriteTable(*path))
            return 0;
        std::fprintf(stderr, "cannot write %s\n", path->c_str());
        return 1;
    }
    return tavex::bench::RunBenchmarks(argc, argv);
}
