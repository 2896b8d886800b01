// Many points at once, slices and sheets: the batch paths against the
// one-point evaluation at the same points.
#include "engine/evaluate.h"
#include "engine/evaluate_many.h"
#include "engine/slice.h"
#include "support/problem_builder.h"
#include "support/term_magnitudes.h"
#include "support/tolerance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace tavex {
namespace {

struct Axis { bool trigonometric = false; int count = 1; double center = 0.0, period = 0.0; };

// A computed expansion with random coefficients, its tables `spare` indices
// larger than the counts on every dimension.
ProblemModel Expansion(const std::vector<Axis>& variables, int spare = 0)
{
    std::vector<testing::VariableSpec> specs;
    for (const Axis& v : variables)
        specs.push_back({"", v.trigonometric, std::vector<double>(static_cast<std::size_t>(v.count)), v.center, v.period});
    ProblemModel model = testing::MakeProblem(specs);
    testing::AddTableRoom(model, {spare, spare, spare, spare});
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> coefficient(-1.0, 1.0);
    std::generate_n(model.coef.data(), model.coef.size(), [&] { return coefficient(gen); });
    model.SetComputed();
    return model;
}

// Odd and even trigonometric counts, a variable with one value, and runs
// of lines along variable 1 both shorter and longer than 8.
const std::vector<std::vector<Axis>> kProblems{
    {{false, 7, 0.5}},
    {{true, 6, 0.0, 2.5}},
    {{true, 5, 0.25, 3.0}, {false, 8, -0.5}},
    {{false, 4}, {true, 9, 0.0, 1.5}, {false, 1, 1.0}},
    {{true, 4, 0.0, 2.0}, {false, 5, 0.2}, {true, 3, 0.1, 4.0}, {false, 6, -0.3}},
    {{false, 6}, {false, 11}, {true, 2, 0.0, 1.0}, {true, 5, 0.0, 3.5}},
};

std::vector<double> Coordinates(std::size_t count, unsigned seed)
{
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> coordinate(-1.5, 1.5);
    std::vector<double> xs(count);
    for (double& x : xs)
        x = coordinate(gen);
    return xs;
}

// Every slot filled, those beyond the variables included: Evaluate reads them too.
std::vector<PerVariable<double>> Points(std::size_t count, unsigned seed)
{
    const std::vector<double> xs = Coordinates(4 * count, seed);
    std::vector<PerVariable<double>> points(count);
    for (std::size_t i = 0; i < xs.size(); ++i)
        points[i / 4][i % 4] = xs[i];
    return points;
}

PerVariable<double> Point(unsigned seed) { return Points(1, seed)[0]; }

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
    // 77 random points: no multiple of a vector, a block or the batches
    // below. Then a point beyond the doubles, and non-finite offsets in the
    // slots of variables a problem may not have, where Evaluate still multiplies by 0.
    std::vector<PerVariable<double>> points = Points(77, 11);
    const double inf = std::numeric_limits<double>::infinity();
    points.insert(points.end(), {{1e200, 0.5, 0, 0}, {0.5, 1e300, 0, 0}, {0.5, 0.5, inf, 0},
                                 {0.5, 0.5, 0, std::nan("")}, {-0.0, -0.0, -0.0, -0.0}});
    for (const auto& variables : kProblems)
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

void ExpectAsEvaluate(const ProblemModel& model, const PerVariable<double>& point, double value)
{
    const double expected = Evaluate(model, point).value();
    EXPECT_NEAR(value, expected, testing::Tolerance(4500, testing::TermMagnitudes(model, point)))
        << "at " << point[0] << ", " << point[1] << ", " << point[2] << ", " << point[3];
}

void ExpectSlicesAsEvaluate(const ProblemModel& model, const PerVariable<double>& point)
{
    const std::vector<double> xs = Coordinates(5, 3);
    for (int v = 0; v <= model.lastVar; ++v) {
        SCOPED_TRACE(::testing::Message() << "free variable " << v);
        const std::optional<Slice> slice = SliceAlong(model, v, point);
        ASSERT_TRUE(slice.has_value());
        const std::vector<double> values = SampleSlice(model, *slice, xs);
        ASSERT_EQ(values.size(), xs.size());
        for (std::size_t i = 0; i < xs.size(); ++i) {
            PerVariable<double> at = point;
            at[static_cast<std::size_t>(v)] = xs[i];
            ExpectAsEvaluate(model, at, values[i]);
        }
    }
}

// A grid of 3 by 4 samples: swapping the sample indices shows.
void ExpectSheetAsEvaluate(const ProblemModel& model, int first, int second, const PerVariable<double>& point)
{
    SCOPED_TRACE(::testing::Message() << "free variables " << first << ", " << second);
    const std::vector<double> xs = Coordinates(3, 4), ys = Coordinates(4, 5);
    const std::optional<Sheet> sheet = SheetAlong(model, first, second, point);
    ASSERT_TRUE(sheet.has_value());
    EXPECT_EQ(sheet->firstCount, model.Var(first).valueUpper + 1);
    EXPECT_EQ(sheet->secondCount, model.Var(second).valueUpper + 1);
    const std::vector<double> values = SampleSheet(model, *sheet, xs, ys);
    ASSERT_EQ(values.size(), xs.size() * ys.size());
    for (std::size_t j = 0; j < ys.size(); ++j)
        for (std::size_t i = 0; i < xs.size(); ++i) {
            PerVariable<double> at = point;
            at[static_cast<std::size_t>(first)] = xs[i];
            at[static_cast<std::size_t>(second)] = ys[j];
            ExpectAsEvaluate(model, at, values[i + xs.size() * j]);
        }
}

TEST(Slice, EachFreeVariableAndEachPairOfThemAsEvaluate)
{
    for (const auto& variables : kProblems)
        for (const int spare : {0, 2}) {
            const ProblemModel model = Expansion(variables, spare);
            SCOPED_TRACE(::testing::Message() << variables.size() << " variables, " << spare << " spare");
            for (const unsigned seed : {1u, 2u})
                ExpectSlicesAsEvaluate(model, Point(seed));
            for (int first = 0; first <= model.lastVar; ++first)
                for (int second = 0; second <= model.lastVar; ++second)
                    if (first != second)
                        ExpectSheetAsEvaluate(model, first, second, Point(1));
        }
}

// Tables this large are shared out among threads.
TEST(Slice, LargeTableAsEvaluate)
{
    const ProblemModel model = Expansion({{true, 20, 0.1, 2.0}, {false, 25}, {true, 24, 0.0, 3.0}, {false, 30, 0.2}}, 1);
    ExpectSlicesAsEvaluate(model, Point(1));
    ExpectSheetAsEvaluate(model, 0, 1, Point(2));
    ExpectSheetAsEvaluate(model, 3, 2, Point(2));
}

TEST(BatchEvaluation, NaNForAZeroPeriodAndNothingBeforeCompute)
{
    ProblemModel model = Expansion({{false, 3}, {true, 4, 0.0, 0.0}, {false, 2}});
    const auto allNaN = [](const std::vector<double>& values) {
        return !values.empty() && std::all_of(values.begin(), values.end(), [](double x) { return std::isnan(x); });
    };
    const std::vector<PerVariable<double>> points = Points(10, 11);
    const std::optional<std::vector<double>> values = EvaluateMany(model, points);
    ASSERT_TRUE(values.has_value());
    EXPECT_EQ(values->size(), points.size());
    EXPECT_TRUE(allNaN(*values));
    EXPECT_TRUE(EvaluateMany(model, {})->empty());
    const std::vector<double> xs = Coordinates(3, 1);
    for (const int v : {0, 1}) {
        const std::optional<Slice> slice = SliceAlong(model, v, Point(1));
        ASSERT_TRUE(slice.has_value());
        EXPECT_TRUE(allNaN(SampleSlice(model, *slice, xs))) << "free variable " << v;
    }
    for (const auto& [first, second] : {std::pair{0, 1}, std::pair{0, 2}}) {
        const std::optional<Sheet> sheet = SheetAlong(model, first, second, Point(1));
        ASSERT_TRUE(sheet.has_value());
        EXPECT_TRUE(allNaN(SampleSheet(model, *sheet, xs, xs))) << "free variables " << first << ", " << second;
    }

    model.ClearComputed();
    EXPECT_FALSE(EvaluateMany(model, points).has_value());
    EXPECT_FALSE(SliceAlong(model, 0, Point(1)).has_value());
    EXPECT_FALSE(SheetAlong(model, 0, 1, Point(1)).has_value());
}

} // namespace
} // namespace tavex
