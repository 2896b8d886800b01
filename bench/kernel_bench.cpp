// The line kernels alone on a tile that stays in cache: how close the
// arithmetic gets to the processor's peak, apart from reading and writing tables.
#include "engine/kernels/line_kernels.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <random>
#include <vector>

namespace tavex::bench {
namespace {

void BM_TileSolve(benchmark::State& state)
{
    const int order = static_cast<int>(state.range(0));
    const auto isa = static_cast<KernelIsa>(state.range(1));
    std::mt19937 gen(1);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    // Multipliers of at most 1 in magnitude, as row pivoting gives, and a
    // diagonal that keeps the solution of order 1: no overflow, no subnormals.
    std::vector<double> lu(static_cast<std::size_t>(order) * order);
    for (auto& x : lu)
        x = value(gen) / order;
    for (int k = 0; k < order; ++k)
        lu[static_cast<std::size_t>(k) * order + k] = 1.0 + std::abs(value(gen));
    std::vector<unsigned char> skipped(static_cast<std::size_t>(order), 0);
    // Two tiles, as the solver works: both eliminated, then substituted together.
    const std::size_t count = static_cast<std::size_t>(order) * kTileLanes;
    double* first = new (std::align_val_t{64}) double[count];
    double* second = new (std::align_val_t{64}) double[count];
    std::vector<double> original(count);
    for (auto& x : original)
        x = value(gen);
    const bool back = state.range(2) != 0;
    for (auto _ : state) {
        std::copy(original.begin(), original.end(), first);
        std::copy(original.begin(), original.end(), second);
        ForwardEliminateTile(first, order, lu.data(), skipped.data(), isa);
        ForwardEliminateTile(second, order, lu.data(), skipped.data(), isa);
        if (back)
            BackSubstituteTiles(first, second, order, lu.data(), -1, isa);
        benchmark::ClobberMemory();
    }
    // One multiply and one add or subtract per (row, column) pair and lane, per pass and tile.
    const double flops = 2.0 * (back ? 2.0 : 1.0) * order * (order - 1) * kTileLanes;
    state.counters["GFLOP/s"] = benchmark::Counter(flops, benchmark::Counter::kIsIterationInvariantRate);
    ::operator delete[](first, std::align_val_t{64});
    ::operator delete[](second, std::align_val_t{64});
}

// back:0 times the elimination alone, back:1 elimination and back substitution.
BENCHMARK(BM_TileSolve)->ArgNames({"order", "isa", "back"})
    ->ArgsProduct({{20, 40, 64, 200}, {static_cast<int>(KernelIsa::kBaseline), static_cast<int>(KernelIsa::kAvx2)}, {0, 1}});

} // namespace
} // namespace tavex::bench

BENCHMARK_MAIN();
