// The condition estimates, the reproduction figure, the swing, the bases
// singular in exact arithmetic, and the line and advice made of them.
#include "engine/condition_estimate.h"
#include "engine/fit_figures.h"
#include "engine/reproduction.h"
#include "engine/singular_basis.h"
#include "engine/swing.h"

#include "commands/fit_report.h"
#include "engine/basis.h"
#include "engine/basis_of_values.h"
#include "engine/compute.h"
#include "engine/solver.h"
#include "support/problem_builder.h"
#include "support/tolerance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <random>

namespace tavex {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

using testing::Tolerance;

double Norm1(const SquareMatrix& a)
{
    double norm = 0.0;
    for (int j = 0; j < a.order(); ++j) {
        double column = 0.0;
        for (int i = 0; i < a.order(); ++i)
            column += std::fabs(a(i, j));
        norm = std::max(norm, column);
    }
    return norm;
}

// ||A||_1 ||A^-1||_1 with A^-1 solved column by column from the same factors;
// scaled, that of A D with D = diag(1 / max_i |A_ij|).
double ExactCondition(const SquareMatrix& a, const LuFactors& factors, bool scaled = false)
{
    const int n = a.order();
    Table4 inverse;
    inverse.Reshape({n - 1, n - 1, 0, 0});
    for (int j = 0; j < n; ++j)
        inverse(j, j, 0, 0) = 1.0;
    ApplyFactors(inverse, LineSelection{0, {n - 1, n - 1, 0, 0}, {}}, factors, 1);
    std::vector<double> largest(static_cast<std::size_t>(n), scaled ? 0.0 : 1.0);
    for (int i = 0; i < n && scaled; ++i)
        for (int j = 0; j < n; ++j)
            largest[static_cast<std::size_t>(j)] = std::max(largest[static_cast<std::size_t>(j)], std::fabs(a(i, j)));
    SquareMatrix columns(n), scaledA(n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            columns(i, j) = inverse(i, j, 0, 0) * largest[static_cast<std::size_t>(i)];
            scaledA(i, j) = a(i, j) / largest[static_cast<std::size_t>(j)];
        }
    return Norm1(scaledA) * Norm1(columns);
}

std::vector<double> Spaced(double lower, double step, int count)
{
    std::vector<double> values;
    for (int i = 0; i < count; ++i)
        values.push_back(lower + i * step);
    return values;
}

// Entries uniform in [-1, 1], row i scaled by 10^(rowDecades i / n), column j by 10^(-columnDecades j / n).
SquareMatrix Graded(int n, double rowDecades, double columnDecades, std::mt19937& gen)
{
    std::uniform_real_distribution<double> entry(-1.0, 1.0);
    SquareMatrix a(n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            a(i, j) = entry(gen) * std::pow(10.0, (rowDecades * i - columnDecades * j) / n);
    return a;
}

TEST(EstimateCondition, WithinAFactorOf3OfTheExactOne)
{
    std::mt19937 gen(7);
    for (const int n : {2, 3, 8, 40, 97, 200}) {
        const std::pair<const char*, SquareMatrix> matrices[] = {
            {"random", Graded(n, 0, 0, gen)},
            {"rows graded", Graded(n, 12, 0, gen)},
            {"columns graded", Graded(n, 0, 10, gen)},
            {"both graded", Graded(n, 8, 8, gen)},
            {"powers", BasisMatrixOf(Spaced(-1, 2.0 / (n - 1), n), n, false, 0.0, 1.0)},
            {"sines", BasisMatrixOf(Spaced(-1, 2.0 / (n - 1), n), n, true, 0.0, 2.5)},
        };
        for (const auto& [name, a] : matrices) {
            const LuFactors factors = FactorBasis(a);
            ASSERT_FALSE(factors.singular()) << name << " " << n;
            for (const bool scaled : {false, true}) {
                const double exact = ExactCondition(a, factors, scaled);
                const double estimate = scaled ? EstimateScaledCondition(a, factors) : EstimateCondition(a, factors);
                EXPECT_LE(estimate, exact * (1 + Tolerance(64 * n))) << name << " " << n << " " << scaled;
                EXPECT_GE(estimate, exact / 3) << name << " " << n << " " << scaled;
            }
        }
    }
}

TEST(EstimateCondition, SingularOrNotFiniteIsInfinite)
{
    SquareMatrix repeated = BasisMatrixOf({0.0, 1.0, 1.0}, 3, false, 0.0, 1.0);
    SquareMatrix overflowing = BasisMatrixOf({1.0, 2.0, 3.0}, 3, false, 0.0, 1.0);
    overflowing(2, 2) = kInf;
    for (SquareMatrix* a : {&repeated, &overflowing}) {
        EXPECT_EQ(EstimateCondition(*a, FactorBasis(*a)), kInf);
        EXPECT_EQ(EstimateScaledCondition(*a, FactorBasis(*a)), kInf);
    }
    SquareMatrix one(1);
    one(0, 0) = -4.0;
    EXPECT_EQ(EstimateCondition(one, FactorBasis(one)), 1.0);
    EXPECT_EQ(EstimateScaledCondition(one, FactorBasis(one)), 1.0);
}

struct Axis { bool trigonometric; int count; };

// A problem with an arbitrary table, computed: each variable's values run
// equally spaced from -1 up to 1 (trigonometric: over its period of 2,
// polynomial: ending at 1). The tables' storage is larger than the counts.
ProblemModel ComputedProblem(const std::vector<Axis>& variables)
{
    std::vector<testing::VariableSpec> specs;
    for (const Axis& v : variables) {
        const double step = 2.0 / std::max(1, v.trigonometric ? v.count : v.count - 1);
        specs.push_back({std::string(1, static_cast<char>('p' + specs.size())), v.trigonometric,
                         Spaced(-1.0, step, v.count), 0.25, 2.0});
    }
    ProblemModel model = testing::MakeProblem(specs);
    testing::AddTableRoom(model, {1, 2, 1, 2});
    std::mt19937 gen(11);
    std::uniform_real_distribution<double> value(-2.0, 2.0);
    std::generate_n(model.funTable.data(), model.funTable.size(), [&] { return value(gen); });
    model.coef = model.funTable;
    EXPECT_TRUE(Compute(model, {}).succeeded);
    return model;
}

// A table's values over the counts, first index fastest.
std::vector<double> InOrder(const ProblemModel& model, const Table4& table)
{
    std::vector<double> values;
    ForEachIndex(model.UpperIndices(),
                          [&](const std::array<int, 4>& i) { values.push_back(table(i[0], i[1], i[2], i[3])); });
    return values;
}

// Variable d's basis functions at the points, as the basis matrices hold them.
std::vector<std::vector<double>> BasisRows(const ProblemModel& model, int d, std::vector<double> points)
{
    const auto slot = static_cast<std::size_t>(d);
    const int n = model.UpperIndices()[slot] + 1;
    std::vector<std::vector<double>> rows(points.size());
    points.resize(std::max(points.size(), static_cast<std::size_t>(n)), points[0]);
    VariableBasis basis = BasisOf(model, d);
    basis.values = &points;
    const SquareMatrix b = BuildBasisMatrix(basis);
    for (std::size_t k = 0; k < rows.size(); ++k)
        rows[k].assign(b.Row(static_cast<int>(k)), b.Row(static_cast<int>(k)) + n);
    return rows;
}

// coef multiplied along each variable d by the matrix rowsOf(d), by explicit
// sums in long double; first index fastest.
std::vector<long double> DirectProducts(const ProblemModel& model,
                                        const std::function<std::vector<std::vector<double>>(int)>& rowsOf)
{
    const std::vector<double> coef = InOrder(model, model.coef);
    std::vector<long double> values(coef.begin(), coef.end());
    std::size_t stride = 1; // of variable d
    for (int d = 0; d <= model.lastVar; ++d) {
        const std::vector<std::vector<double>> rows = rowsOf(d);
        const std::size_t n = rows[0].size(), outer = values.size() / (stride * n);
        std::vector<long double> next(stride * rows.size() * outer);
        for (std::size_t o = 0; o < outer; ++o)
            for (std::size_t k = 0; k < rows.size(); ++k)
                for (std::size_t j = 0; j < n; ++j)
                    for (std::size_t i = 0; i < stride; ++i)
                        next[i + stride * (k + rows.size() * o)] += rows[k][j] * values[i + stride * (j + n * o)];
        values = std::move(next);
        stride *= rows.size();
    }
    return values;
}

// max |B coef - table| / max |table|, and the swing: max |the expansion at the
// midpoints between neighbouring values| / max |table|.
std::pair<double, double> DirectReproductionAndSwing(const ProblemModel& model)
{
    const std::vector<long double> rebuilt = DirectProducts(model, [&](int d) {
        const auto& x = model.Var(d).values;
        return BasisRows(model, d, {x.begin(), x.begin() + model.UpperIndices()[static_cast<std::size_t>(d)] + 1});
    });
    const std::vector<long double> between = DirectProducts(model, [&](int d) {
        std::vector<double> points = model.Var(d).values;
        points.resize(static_cast<std::size_t>(model.UpperIndices()[static_cast<std::size_t>(d)]) + 1);
        std::sort(points.begin(), points.end());
        for (std::size_t k = 0; k + 1 < points.size(); ++k)
            points[k] = (points[k] + points[k + 1]) / 2;
        points.resize(std::max<std::size_t>(1, points.size() - 1));
        return BasisRows(model, d, points);
    });
    const std::vector<double> table = InOrder(model, model.funTable);
    long double difference = 0, largest = 0, reached = 0;
    for (std::size_t i = 0; i < table.size(); ++i) {
        difference = std::max(difference, std::fabs(rebuilt[i] - table[i]));
        largest = std::max(largest, static_cast<long double>(std::fabs(table[i])));
    }
    for (const long double value : between)
        reached = std::max(reached, std::fabs(value));
    return {static_cast<double>(difference / largest), static_cast<double>(reached / largest)};
}

// Problems whose sizes reach the blocks' edges: several blocks, some
// partial; too big to take both variables at once; several blocks in the
// swing's second stage and in a slab.
TEST(MeasureReproductionAndSwing, AgreeWithDirectSumsAndNeverDependOnThreadsOrVectors)
{
    const std::vector<std::vector<Axis>> problems = {
        {{false, 9}},
        {{true, 6}, {false, 5}},
        {{true, 7}, {false, 5}},
        {{false, 7}, {true, 4}, {false, 3}},
        {{false, 1}, {true, 3}, {false, 4}},
        {{true, 5}, {false, 6}, {true, 3}, {false, 4}},
        {{true, 24}, {false, 8}, {true, 30}, {true, 31}},
        {{true, 31}, {false, 9}, {true, 29}, {true, 31}},
        {{true, 370}, {true, 360}},
        {{true, 401}, {true, 363}},
        {{false, 1}, {true, 1}, {false, 2}},
    };
    std::mt19937 gen(3);
    std::uniform_real_distribution<double> shift(-1e-6, 1e-6);
    for (const std::vector<Axis>& variables : problems) {
        SCOPED_TRACE(::testing::Message() << variables.size() << " variables, the first of " << variables[0].count);
        ProblemModel model = ComputedProblem(variables);
        // Shifted coefficients make the figure far larger than the rounding of either rebuild.
        for (std::size_t i = 0; i < model.coef.size(); ++i)
            model.coef.data()[i] += shift(gen);
        const auto [reproduction, swing] = DirectReproductionAndSwing(model);
        const double figure = MeasureReproduction(model, 2);
        const std::optional<double> measured = MeasureSwing(model, 2);
        EXPECT_NEAR(figure, reproduction, 1e-6 * figure);
        EXPECT_NEAR(measured.value_or(kInf), swing, Tolerance(256, swing));
        for (const KernelIsa isa : SupportedKernelIsas())
            for (const int threads : {1, 2, 3}) {
                EXPECT_EQ(MeasureReproduction(model, threads, isa), figure);
                EXPECT_EQ(MeasureSwing(model, threads, isa), measured);
            }
    }
}

TEST(MeasureReproductionAndSwing, ZerosAndValuesThatAreNotFinite)
{
    ProblemModel model = ComputedProblem({{false, 4}, {true, 3}, {false, 2}});
    std::fill(model.funTable.data(), model.funTable.data() + model.funTable.size(), 0.0);
    std::fill(model.coef.data(), model.coef.data() + model.coef.size(), 0.0);
    EXPECT_EQ(MeasureReproduction(model, 1), 0.0);
    model.coef(1, 1, 1, 0) = 1.0; // nothing to measure against
    EXPECT_EQ(MeasureReproduction(model, 1), kInf);
    EXPECT_EQ(MeasureSwing(model, 1), std::nullopt);
    model.funTable(2, 0, 1, 0) = 1.0;
    model.coef(3, 2, 1, 0) = 1e308; // the rebuilt table overflows
    EXPECT_EQ(MeasureReproduction(model, 1), kInf);
    model.coef(3, 2, 1, 0) = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(MeasureReproduction(model, 1), kInf);
    EXPECT_EQ(MeasureSwing(model, 1), kInf);
    model.coef(3, 2, 1, 0) = 0.0;
    model.funTable(0, 2, 0, 0) = -kInf;
    EXPECT_EQ(MeasureSwing(model, 1), kInf);
}

// The problems users met, and those around them: f tabulated on the grid
// of the axes, computed with its figures.

using Point = std::array<double, 4>;

FitFigures Fit(const std::vector<testing::VariableSpec>& axes, const std::function<double(const Point&)>& f)
{
    ProblemModel model = testing::MakeProblem(axes);
    testing::TabulateFunction(model, f);
    ProblemModel plain = model;
    const ComputeOutcome outcome = Compute(model, {}, {1, true});
    EXPECT_TRUE(outcome.figures.has_value()) << outcome.failureLine;
    EXPECT_TRUE(Compute(plain, {}).succeeded);
    EXPECT_TRUE(model.coef == plain.coef); // measuring leaves them bit for bit
    return outcome.figures.value_or(FitFigures{});
}

// exp at equally spaced values: at 20 of [-1, 1] a condition near 1E+09;
// at 40 of [-5, 5] about 18 digits lost whatever the interval, yet not
// singular, and exp follows the table between the values.
TEST(MeasureFit, ExponentialOnEquallySpacedValues)
{
    const auto exp = [](const Point& x) { return std::exp(x[0]); };
    const FitFigures twenty = Fit({{"x", false, Spaced(-1, 2.0 / 19, 20)}}, exp);
    ASSERT_EQ(twenty.variables.size(), 1u);
    EXPECT_EQ(twenty.variables[0].name, "x");
    EXPECT_NEAR(twenty.variables[0].condition, 1.05e9, 0.05e9);
    EXPECT_DOUBLE_EQ(twenty.variables[0].digitsLost, std::log10(twenty.variables[0].condition));
    EXPECT_LT(twenty.reproduction, 1e-14);
    EXPECT_GE(Fit({{"x", false, {-1, 1}}}, exp).variables[0].digitsLost, 0.0);

    const FitFigures forty = Fit({{"x", false, Spaced(-5, 10.0 / 39, 40)}}, exp);
    EXPECT_EQ(forty.variables.at(0).singularity, "");
    EXPECT_GT(forty.variables.at(0).scaledDigitsLost, 16.0);
    EXPECT_LT(forty.swing.value_or(kInf), 1.0);
}

// f(T, p) on T = 0..100, p = 1..5, centers in the middle: the powers of T in
// its own units gave a condition of 4E+08 and a warning to a fit good to 12 digits.
TEST(MeasureFit, UnitsOfXRaiseNoWarning)
{
    const FitFigures fit = Fit({{"T", false, Spaced(0, 20, 6), 50}, {"p", false, Spaced(1, 1, 5), 3}},
                               [](const Point& x) { return std::exp(x[0] / 100) * std::log(1 + x[1]); });
    ASSERT_EQ(fit.variables.size(), 2u);
    EXPECT_GT(fit.variables[0].condition, 1e8);
    for (const VariableFit& variable : fit.variables)
        EXPECT_LT(variable.scaledDigitsLost, 3.0) << variable.name;
    EXPECT_LT(fit.reproduction, Tolerance(16));
    EXPECT_FALSE(command::FitNeedsWarning(fit)) << command::FitLine(fit);
}

// exp(sin(angle)) at 0, 30, ..., 330 of a period of 360: sin(6 angle) is 0 at
// every value, its coefficient 3E+10, the expansion between the values as
// large, and the reproduction tiny all the same. With the center half a step
// on, the basis is regular.
TEST(MeasureFit, TwelveAnglesOverOnePeriod)
{
    const auto f = [](const Point& x) { return std::exp(std::sin(x[0] * (std::atan(1.0) / 45))); };
    const FitFigures singular = Fit({{"angle", true, Spaced(0, 30, 12), 0, 360}}, f);
    EXPECT_EQ(singular.variables.at(0).singularity,
              "with 12 equally spaced values over one period, sin(6*angle) is 0 at every value: use an odd number of "
              "values, or move the center by half a step");
    EXPECT_LT(singular.reproduction, Tolerance(16));
    EXPECT_GT(singular.swing.value_or(0.0), 1e6);
    EXPECT_TRUE(command::FitNeedsWarning(singular));
    EXPECT_NE(command::FitAdvice(singular).find("With 12 equally spaced values"), std::string::npos);

    const FitFigures regular = Fit({{"angle", true, Spaced(0, 30, 12), 15, 360}}, f);
    EXPECT_EQ(regular.variables.at(0).singularity, "");
    EXPECT_LT(regular.swing.value_or(kInf), 1.0);
    EXPECT_FALSE(command::FitNeedsWarning(regular)) << command::FitLine(regular);
}

TEST(BasisSingularity, FromTheValuesCenterAndPeriod)
{
    const double pi = 4.0 * std::atan(1.0);
    std::vector<double> radians; // 2 pi k / 12 as an equally spaced list computes them, rounded
    for (int k = 0; k < 12; ++k)
        radians.push_back(k * ((11 * pi / 6) / 11));
    std::vector<double> scattered = Spaced(0, 30, 12); // the same angles, two of them periods away
    scattered[3] += 360;
    scattered[8] -= 720;
    const std::string zero = " is 0 at every value: use an odd number of values, or move the center by ";
    const std::string twice = ", which gives two equal rows of its basis: keep one of them";
    struct Case { bool trigonometric; std::vector<double> values; double center, period; std::string text; };
    const Case cases[] = {
        {true, Spaced(15, 30, 12), 15, 360,
         "with 12 equally spaced values over one period, sin(6*(a-15))" + zero + "half a step"},
        {true, radians, 0, pi + pi, "with 12 equally spaced values over one period, sin(6*a)" + zero + "half a step"},
        {true, Spaced(0, 150, 12), 0, 360, "with 12 equally spaced values, sin(6*a)" + zero + "half a step"},
        {true, scattered, 0, 360, "with 12 values, sin(6*a)" + zero + "15"},
        {true, {-100, 80}, -100, -360, "with 2 equally spaced values over one period, sin(a+100)" + zero + "half a step"},
        {true, {0, 10, 20, 150}, 0, 360,
         "the offsets of the 4 values of a from its center add up to an odd multiple of half its period, so its basis "
         "functions are dependent at these values: use an odd number of values, or move the center by 45"},
        {true, Spaced(0, 30, 13), 0, 360, "the values 0 and 360 of a are a whole number of periods apart" + twice},
        {true, {30, 0, 30}, 0, 360, "the value 30 of a comes twice" + twice},
        {false, {1, 3, 1}, 0, 0, "the value 1 of a comes twice" + twice},
        {true, {0, 1, 2}, 0, 0, "the period of a is 0: give it the length of one cycle"},
        {true, {5}, 5, 360, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BasisSingularity(BasisOfValues(c.values, static_cast<int>(c.values.size()), c.trigonometric, c.center, c.period), "a"),
                  c.text);
}

// The rule for an even count against the matrix itself: random angles whose
// sum is set to an odd multiple of half a turn give a condition beyond what
// rounding allows; others, and every odd count, a modest one.
TEST(BasisSingularity, AnEvenCountIsSingularJustWhenTheAnglesAddUpToAnOddHalfTurn)
{
    std::mt19937 gen(5);
    std::uniform_real_distribution<double> turn(-1.5, 1.5);
    const auto offHalf = [](double sum) { return std::fabs(std::fabs(sum - std::round(sum)) - 0.5); };
    for (int trial = 0; trial < 400; ++trial) {
        const int n = 2 + trial % 9;
        const bool singular = n % 2 == 0 && trial % 3 != 0;
        std::vector<double> turns(static_cast<std::size_t>(n));
        double sum = 0.0, closest = 0.0; // the two nearest angles around the circle
        while (closest < 0.05 || (!singular && offHalf(sum) < 0.05)) {
            sum = 0.0;
            for (double& t : turns)
                sum += t = turn(gen);
            if (singular)
                turns.back() += std::round(sum) + 0.5 - sum;
            closest = 1.0;
            for (std::size_t a = 0; a < turns.size(); ++a)
                for (std::size_t b = 0; b < a; ++b)
                    closest = std::min(closest, std::fabs(turns[a] - turns[b] - std::round(turns[a] - turns[b])));
        }
        std::vector<double> values;
        for (const double t : turns)
            values.push_back(0.3 + t * 7.5);
        const SquareMatrix basis = BasisMatrixOf(values, n, true, 0.3, 7.5);
        const double condition = EstimateCondition(basis, FactorBasis(basis));
        EXPECT_EQ(BasisSingularity(BasisOfValues(values, n, true, 0.3, 7.5), "u").empty(), !singular) << "trial " << trial;
        if (singular)
            EXPECT_GT(condition, 1 / Tolerance(1e3)) << "trial " << trial;
        else
            EXPECT_LT(condition, 1 / Tolerance(1e7)) << "trial " << trial;
    }
}

TEST(MeasureSwing, KnownSwings)
{
    const auto product = [](const Point& x) { return (1 + x[0]) * (1 + x[1]) * (1 + x[2]) * (1 + x[3]); };
    const std::pair<std::vector<testing::VariableSpec>, double> cases[] = {
        // Midpoint 1.5 against the value 2 at which the table is largest, whatever the values' order.
        {{{"x", false, {0, 2, 1}, 1}}, 2.5 / 3},
        {{{"x", false, {2}, 2}, {"y", false, {0, 1, 2}, 1}}, 3 * 2.5 / 9},
        {{{"x", false, {0, 1, 2}, 1}, {"y", false, {0, 1}}, {"z", false, {1}}, {"w", false, {0, 2}}}, 15.0 / 36},
    };
    for (const auto& [axes, swing] : cases)
        EXPECT_NEAR(Fit(axes, product).swing.value_or(kInf), swing, Tolerance(64)) << axes.size() << " variables";
}

// A problem read with its coefficients has no factors: its figures are those
// Compute gives, on any number of threads.
TEST(MeasureFit, SameFiguresWithoutTheSolvesFactorsAndOnAnyThreads)
{
    for (const std::vector<Axis>& variables :
         std::vector<std::vector<Axis>>{{{false, 12}}, {{true, 6}, {false, 7}, {true, 24}, {false, 5}}}) {
        ProblemModel model = ComputedProblem(variables);
        model.coef = model.funTable;
        const std::optional<FitFigures> figures = Compute(model, {}, {1, true}).figures;
        ASSERT_TRUE(figures.has_value());
        EXPECT_EQ(MeasureFit(model, 1), figures);
        EXPECT_EQ(MeasureFit(model, 2), figures);
        model.coef = model.funTable;
        EXPECT_EQ(Compute(model, {}, {2, true}).figures, figures);
    }
}

TEST(FitLine, TwoDigitsAndAWarningFromDigitsSwingOrSingularity)
{
    // The plain condition is never shown: the scaled one decides.
    const auto variable = [](std::string name, double scaled, std::string singularity = "") {
        return VariableFit{std::move(name), 1e20, 20, scaled,
                           std::isfinite(scaled) ? std::max(0.0, std::log10(scaled)) : kInf, std::move(singularity)};
    };
    const std::string digits = "; a number holds about 16. Use fewer values, the trigonometric kind for periodic "
                               "data, or a narrower interval.";
    const std::string reaches = "; between the values it reaches ", largest = " times the table's largest value.";
    const std::string swings = "Between the values the expansion ";
    const std::string untrusted = ", so it cannot be trusted there.";
    const std::tuple<FitFigures, std::string, std::string> cases[] = {
        {{{variable("x", 8.54e18), variable("y", 306.0)}, 2.449e-12, 9.94},
         "Fit reproduces the table to 2.4E-12" + reaches + "9.9" + largest + " Condition: x 8.5E+18, y 3.1E+02",
         "x may lose 19 decimal digits" + digits},
        {{{variable("t", 9.7e7)}, 0.0, std::nullopt}, "Fit reproduces the table to 0.0E+00. Condition: t 9.7E+07", ""},
        {{{variable("t", 1.0, "the value 1 of t comes twice")}, 0.0, 0.523},
         "Fit reproduces the table to 0.0E+00" + reaches + "0.52" + largest + " Condition: t 1.0E+00",
         "The value 1 of t comes twice."},
        {{{variable("t", 1.0)}, 1e-16, 12.3},
         "Fit reproduces the table to 1.0E-16" + reaches + "12" + largest + " Condition: t 1.0E+00",
         swings + "reaches 12 times the table's largest value" + untrusted},
        {{{variable("t", 1.0)}, 1e-16, 1.23e10},
         "Fit reproduces the table to 1.0E-16" + reaches + "1.2E+10" + largest + " Condition: t 1.0E+00",
         swings + "reaches 1.2E+10 times the table's largest value" + untrusted},
        {{{variable("", kInf), variable("w", 0.523), variable("v", 1e8, "with 2 values, sin(v) is 0")}, kInf, kInf},
         "Fit does not reproduce the table" + reaches + "INF" + largest
             + " Condition: variable 1 INF, w 5.2E-01, v 1.0E+08",
         "variable 1 may lose all decimal digits, v 8" + digits + " " + swings + "does not stay finite" + untrusted
             + " With 2 values, sin(v) is 0."},
    };
    for (const auto& [figures, line, advice] : cases) {
        EXPECT_EQ(command::FitLine(figures), line);
        EXPECT_EQ(command::FitAdvice(figures), advice);
        EXPECT_EQ(command::FitNeedsWarning(figures), !advice.empty()) << line;
    }
}

} // namespace
} // namespace tavex
