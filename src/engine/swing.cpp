#include "engine/swing.h"

#include "base/parallel_for.h"
#include "engine/variable_basis.h"
#include "engine/reproduction.h"
#include "engine/thread_policy.h"
#include "engine/kernels/stage_kernels.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

namespace tavex {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kLargest = std::numeric_limits<double>::max();

// One variable's basis functions (columns) at its midpoints (rows), row-major,
// and the same transposed. A variable not in use has the 1 x 1 identity.
struct Midpoints {
    int rows = 1, columns = 1;
    std::vector<double> weights{1.0};
    std::vector<double> transposed{1.0};

    double operator()(int row, int column) const
    {
        return weights[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns)
                       + static_cast<std::size_t>(column)];
    }
};

Midpoints MidpointWeights(const ProblemModel& model, int v)
{
    Midpoints m;
    if (v > model.lastVar)
        return m;
    const VariableBasis basis = BasisOf(model, v);
    const int count = basis.count;
    std::vector<double> points(basis.values->begin(), basis.values->begin() + count);
    // NaNs last: they leave the order strict, and the figure infinite.
    std::sort(points.begin(), points.end(), [](double a, double b) { return std::isnan(b) ? !std::isnan(a) : a < b; });
    // Halves first: the sum of two large values could overflow.
    for (std::size_t k = 0; k + 1 < points.size(); ++k)
        points[k] = 0.5 * points[k] + 0.5 * points[k + 1];
    if (count > 1)
        points.pop_back();
    m.rows = static_cast<int>(points.size());
    m.columns = count;
    m.weights.assign(points.size() * static_cast<std::size_t>(count), 0.0);
    for (std::size_t r = 0; r < points.size(); ++r) {
        basis.kind->Weights(basis.Argument(points[r]), count - 1, m.weights.data() + r * static_cast<std::size_t>(count));
    }
    m.transposed.assign(m.weights.size(), 0.0);
    for (int r = 0; r < m.rows; ++r)
        for (int j = 0; j < count; ++j)
            m.transposed[static_cast<std::size_t>(j) * points.size() + static_cast<std::size_t>(r)] = m(r, j);
    return m;
}

// The largest magnitude seen, and a probe that is 0 while every value is
// finite and NaN from the first one that is not; both merge in any order.
struct Tally {
    double largest = 0.0;
    double probe = 0.0;

    // Four of each side by side, not to wait on one chain of additions.
    void Add(const double* values, std::size_t count)
    {
        constexpr std::size_t kChains = 4;
        double largests[kChains] = {}, probes[kChains] = {};
        std::size_t i = 0;
        for (; i + kChains <= count; i += kChains)
            for (std::size_t c = 0; c < kChains; ++c) {
                largests[c] = std::max(largests[c], std::fabs(values[i + c]));
                probes[c] += values[i + c] - values[i + c];
            }
        for (; i < count; ++i) {
            largests[0] = std::max(largests[0], std::fabs(values[i]));
            probes[0] += values[i] - values[i];
        }
        for (std::size_t c = 0; c < kChains; ++c)
            Merge({largests[c], probes[c]});
    }

    void Merge(const Tally& other)
    {
        largest = std::max(largest, other.largest);
        probe += other.probe;
    }
};

// A block's intermediate products stay in the processor's caches: about 1 MiB.
constexpr std::size_t kBlockValues = std::size_t{1} << 17;

} // namespace

// Two stages. The first takes variables 0 and 1 slab by slab (a slab: coef at
// fixed later indices), in blocks of midpoint rows of variable 0; with three
// variables or more it leaves a working table, (k0, k1, i2, i3, ...) with k0
// fastest, that the second takes along each later variable in turn, in blocks
// of its lanes (k0, k1). The last products are tallied as they come, never stored.
std::optional<double> MeasureSwing(const ProblemModel& model, int threads, KernelIsa isa)
{
    constexpr int kLater = 2; // the first variable of the second stage
    PerVariable<Midpoints> m;
    PerVariable<std::size_t> n{}, r{};
    std::size_t slabs = 1;
    for (int v = 0; v < kMaxVariables; ++v) {
        const auto slot = static_cast<std::size_t>(v);
        m[slot] = MidpointWeights(model, v);
        n[slot] = static_cast<std::size_t>(m[slot].columns);
        r[slot] = static_cast<std::size_t>(m[slot].rows);
        if (v >= kLater)
            slabs *= n[slot];
    }
    const bool secondStage = model.lastVar >= kLater;
    const std::size_t lanes = r[0] * r[1]; // of the working table
    std::unique_ptr<double[]> working;
    if (secondStage) {
        if (!WorkingTableFits(lanes * slabs))
            throw std::bad_alloc();
        working.reset(new double[lanes * slabs]);
    }
    // w(k, j) of variable v's matrix, for the products along it.
    const auto along = [&](int v, const double* in, std::size_t inStride, std::size_t count, double* out,
                           std::size_t outStride) {
        const Midpoints& w = m[static_cast<std::size_t>(v)];
        MultiplyLanes({in, inStride, w.weights.data(), static_cast<std::size_t>(w.columns), w.rows, w.columns, count,
                       out, outStride},
                      isa);
    };
    // Where a slab's entry (0, i1) lies in a table of the model's shape.
    const auto slabOffset = [&](const Table4& table, std::size_t slab, int i1) {
        std::size_t offset = static_cast<std::size_t>(i1) * table.Stride(1);
        for (int v = kLater; v < kMaxVariables; ++v) {
            const std::size_t count = n[static_cast<std::size_t>(v)];
            offset += slab % count * table.Stride(v);
            slab /= count;
        }
        return offset;
    };

    Tally expansion, table;
    std::mutex tallyMutex;
    const std::size_t blockRows = std::clamp<std::size_t>(kBlockValues / std::max(n[1], r[1]), 1, r[0]);
    const std::size_t blocksPerSlab = (r[0] + blockRows - 1) / blockRows;
    const double firstWork = static_cast<double>(slabs) * r[0] * n[1] * (n[0] + r[1]);
    ParallelFor(slabs * blocksPerSlab, ThreadsFor(firstWork, threads), [&](std::size_t begin, std::size_t end) {
        std::vector<double> along0(blockRows * n[1]);
        std::vector<double> products(secondStage ? 0 : blockRows * r[1]);
        Tally slabExpansion, slabTable;
        for (std::size_t unit = begin; unit < end; ++unit) {
            const std::size_t slab = unit / blocksPerSlab;
            const std::size_t first = unit % blocksPerSlab * blockRows;
            const std::size_t count = std::min(r[0], first + blockRows) - first;
            // Along variable 0 the slab's lines are the weights and the
            // matrix's columns the lanes: along0[k0 - first + count i1] =
            // sum over j of coef(j, i1) w0(k0, j), the same sum as w0(k0, j) coef(j, i1).
            MultiplyLanes({m[0].transposed.data() + first, r[0], model.coef.data() + slabOffset(model.coef, slab, 0),
                           model.coef.Stride(1), m[1].columns, m[0].columns, count, along0.data(), count},
                          isa);
            if (secondStage) {
                along(1, along0.data(), count, count, working.get() + first + lanes * slab, r[0]);
            } else {
                along(1, along0.data(), count, count, products.data(), count);
                slabExpansion.Add(products.data(), count * r[1]);
            }
            if (first == 0) // the table's largest value, slab by slab
                for (int i1 = 0; i1 < m[1].columns; ++i1)
                    slabTable.Add(model.funTable.data() + slabOffset(model.funTable, slab, i1), n[0]);
        }
        const std::lock_guard lock(tallyMutex);
        expansion.Merge(slabExpansion);
        table.Merge(slabTable);
    });

    if (secondStage) {
        // Along variable v a lane of the block leaves r[2] ... r[v] times n[v + 1] ... values.
        PerVariable<std::size_t> leaves{};
        std::size_t widest = 1;
        double secondWork = 0.0;
        for (int v = kLater; v < kMaxVariables; ++v) {
            const auto slot = static_cast<std::size_t>(v);
            leaves[slot] = r[slot];
            for (std::size_t u = kLater; u < slot; ++u)
                leaves[slot] *= r[u];
            for (std::size_t u = slot + 1; u < n.size(); ++u)
                leaves[slot] *= n[u];
            widest = std::max(widest, leaves[slot]);
            secondWork += static_cast<double>(lanes) * static_cast<double>(leaves[slot]) * n[slot];
        }
        const std::size_t blockLanes = std::clamp<std::size_t>(kBlockValues / widest, 1, lanes);
        const std::size_t blocks = (lanes + blockLanes - 1) / blockLanes;
        ParallelFor(blocks, ThreadsFor(secondWork, threads), [&](std::size_t begin, std::size_t end) {
            std::vector<double> buffers[2] = {std::vector<double>(blockLanes * widest),
                                              std::vector<double>(blockLanes * widest)};
            Tally blockExpansion;
            for (std::size_t block = begin; block < end; ++block) {
                const std::size_t first = block * blockLanes;
                const std::size_t count = std::min(lanes, first + blockLanes) - first;
                // The values along v: inLanes lanes, then index v every inStride,
                // then the later indices; each combination of those is one product.
                const double* in = working.get() + first;
                std::size_t inLanes = count, inStride = lanes;
                double* out = nullptr;
                for (int v = kLater; v < kMaxVariables; ++v) {
                    const auto slot = static_cast<std::size_t>(v);
                    out = buffers[(slot - kLater) % 2].data();
                    std::size_t combinations = 1;
                    for (std::size_t u = slot + 1; u < n.size(); ++u)
                        combinations *= n[u];
                    for (std::size_t later = 0; later < combinations; ++later)
                        along(v, in + inStride * n[slot] * later, inStride, inLanes, out + inLanes * r[slot] * later,
                              inLanes);
                    in = out;
                    inLanes *= r[slot];
                    inStride = inLanes;
                }
                blockExpansion.Add(out, inLanes);
            }
            const std::lock_guard lock(tallyMutex);
            expansion.Merge(blockExpansion);
        });
    }

    if (expansion.probe != 0.0 || table.probe != 0.0)
        return kInfinity;
    if (table.largest == 0.0)
        return std::nullopt;
    const double swing = expansion.largest / table.largest;
    return swing <= kLargest ? swing : kInfinity;
}

} // namespace tavex
