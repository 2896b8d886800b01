// Many points at once: the batch path against the one-point evaluation.
#include "engine/evaluate.h"
#include "engine/evaluate_many.h"
#include "random_expansion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace tavex {
namespace {

using testing::Expansion;
using testing::Variable;

// Offsets in every slot, those beyond the variables included: Evaluate reads them too.
std::vector<PerVariable<double>> RandomOffsets(std::size_t count)
{
    std::mt19937 gen(11);
    std::uniform_real_distribution<double> offset(-1.5, 1.5);
    std::vector<PerVariable<double>> points(count);
    for (auto& p : points)
        for (double& x : p)
            x = offset(gen);
    return points;
}

void ExpectSameAsEvaluate(const ProblemModel& model, const std::vector<PerVariable<double>>& points,
                          const EvaluateManyOptions& options)
{
    const std::optional<std::vector<double>> values = EvaluateMany(model, points, options);
    ASSERT_TRUE(values.has_value());
    ASSERT_EQ(values->size(), points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double one = Evaluate(model, points[i]).value(), many = (*values)[i];
        const bool same = std::isnan(one) ? std::isnan(many) : std::memcmp(&one, &many, sizeof one) == 0;
        ASSERT_TRUE(same) << "point " << i << ": " << many << " instead of " << one << " (threads " << options.threads
                          << ", batch " << options.batchPoints << ", isa " << static_cast<int>(options.isa) << ")";
    }
}

TEST(EvaluateMany, EqualsEvaluateBitForBit)
{
    const std::vector<std::vector<Variable>> problems{
        {{false, 7, 0.5}},
        {{true, 6, 0.0, 2.5}},
        {{true, 5, 0.25, 3.0}, {false, 8, -0.5}},
        {{false, 4}, {true, 9, 0.0, 1.5}, {false, 3, 1.0}},
        {{true, 4, 0.0, 2.0}, {false, 5, 0.2}, {true, 3, 0.1, 4.0}, {false, 6, -0.3}},
        {{false, 6}, {false, 7}, {true, 2, 0.0, 1.0}, {true, 5, 0.0, 3.5}},
    };
    // 77 points: no multiple of a vector, a block or the batches below.
    const std::vector<PerVariable<double>> points = RandomOffsets(77);
    for (const auto& variables : problems)
        for (const int spare : {0, 2}) {
            const ProblemModel model = Expansion(variables, spare);
            SCOPED_TRACE(::testing::Message() << variables.size() << " variables, " << spare << " spare");
            for (const KernelIsa isa : SupportedKernelIsas())
                ExpectSameAsEvaluate(model, points, {.threads = 1, .isa = isa});
            for (const int threads : {2, 3})
                for (const int batch : {1, 5, 40})
                    ExpectSameAsEvaluate(model, points, {.threads = threads, .batchPoints = batch});
        }
}

TEST(EvaluateMany, OverflowsAndUnusedSlotsAsEvaluate)
{
    // A point beyond the doubles, and non-finite offsets in the slots of
    // variables the problem does not have, where Evaluate still multiplies by 0.
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<PerVariable<double>> points{{1e200, 0.5, 0, 0}, {0.5, 1e300, 0, 0}, {0.5, 0.5, inf, 0},
                                                  {0.5, 0.5, 0, std::nan("")}, {-0.0, -0.0, -0.0, -0.0}};
    ExpectSameAsEvaluate(Expansion({{false, 9}, {true, 4, 0.0, 2.0}}), points, {});
}

TEST(EvaluateMany, NothingBeforeComputeAndNaNForAZeroPeriod)
{
    ProblemModel model = Expansion({{false, 3}, {true, 3, 0.0, 0.0}});
    const std::vector<PerVariable<double>> points = RandomOffsets(10);
    const std::optional<std::vector<double>> values = EvaluateMany(model, points);
    ASSERT_TRUE(values.has_value());
    EXPECT_EQ(values->size(), points.size());
    EXPECT_TRUE(std::all_of(values->begin(), values->end(), [](double x) { return std::isnan(x); }));
    EXPECT_TRUE(EvaluateMany(model, {})->empty());

    model.isComputed = false;
    EXPECT_FALSE(EvaluateMany(model, points).has_value());
}

} // namespace
} // namespace tavex
