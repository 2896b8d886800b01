// Derivatives and integrals of the expansion: against the functions'
// derivatives in closed form, against Gauss-Legendre quadrature, and the
// cases at the edges (orders past the last term, an even count of angles,
// bounds that run backwards); bounds that meet are the command's test.
#include "engine/derivative.h"
#include "engine/evaluate.h"
#include "engine/evaluate_many.h"
#include "engine/integral.h"
#include "support/problem_builder.h"
#include "support/tolerance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <utility>

namespace tavex {
namespace {

using testing::MakeProblem;
using testing::VariableSpec;

// The k-th derivative of function j of a variable at coordinate x.
double FunctionDerivative(const Variable& variable, int j, int k, double x)
{
    const double t = x - variable.center;
    if (!variable.IsTrigonometric()) {
        if (j < k)
            return 0.0;
        double falling = 1.0;
        for (int e = j - k + 1; e <= j; ++e)
            falling *= e;
        return falling * std::pow(t, j - k);
    }
    if (j == 0)
        return k == 0 ? 1.0 : 0.0;
    const double rate = ((j + 1) / 2) * 2.0 * std::numbers::pi / variable.period;
    const double angle = rate * t + k * std::numbers::pi / 2.0;
    return std::pow(rate, k) * (j % 2 == 1 ? std::sin(angle) : std::cos(angle));
}

// A computed problem of the given kinds with random coefficients in [-1, 1].
ProblemModel RandomExpansion(const std::vector<bool>& trigonometric, const std::vector<int>& counts, std::mt19937& random)
{
    std::uniform_real_distribution<double> uniform(-1.0, 1.0);
    std::vector<VariableSpec> specs;
    for (std::size_t v = 0; v < counts.size(); ++v) {
        VariableSpec spec;
        spec.name = std::string(1, static_cast<char>('a' + v));
        spec.trigonometric = trigonometric[v];
        spec.values.assign(static_cast<std::size_t>(counts[v]), 0.0);
        spec.center = 0.25 * uniform(random);
        spec.period = 3.0 + uniform(random);
        spec.lowerLimit = -1.0 + 0.5 * uniform(random);
        spec.upperLimit = 1.0 + 0.5 * uniform(random);
        specs.push_back(spec);
    }
    ProblemModel model = MakeProblem(specs);
    for (std::size_t i = 0; i < model.coef.size(); ++i)
        model.coef.data()[i] = uniform(random);
    model.SetComputed();
    return model;
}

struct Shape {
    std::vector<bool> trigonometric;
    std::vector<int> counts;
    PerVariable<int> orders;
};

const Shape kShapes[] = {
    {{false}, {6}, {2}},
    {{false}, {3}, {5}},            // past the last term: 0
    {{true}, {4}, {1}},             // an even count: the top sine's cosine joins
    {{true}, {5}, {3}},
    {{true}, {6}, {4}},
    {{false, true}, {4, 5}, {1, 2}},
    {{true, false}, {2, 3}, {3, 0}},
    {{false, true, false}, {3, 4, 2}, {0, 1, 1}},
    {{true, true, false, false}, {3, 4, 3, 2}, {1, 1, 2, 1}},
    {{false, false, true, true}, {4, 2, 5, 4}, {0, 0, 0, 0}},
};

TEST(Derivative, AgreesWithTheFunctionsDerivativesTermByTerm)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> uniform(-1.5, 1.5);
    for (const Shape& shape : kShapes) {
        const ProblemModel model = RandomExpansion(shape.trigonometric, shape.counts, random);
        const std::optional<ProblemModel> derivative = Derivative(model, shape.orders);
        ASSERT_TRUE(derivative);
        for (int trial = 0; trial < 20; ++trial) {
            PerVariable<double> x{};
            for (int v = 0; v <= model.lastVar; ++v)
                x[static_cast<std::size_t>(v)] = uniform(random);
            double exact = 0.0;
            double magnitude = 0.0;
            ForEachIndex(model.UpperIndices(), [&](const PerVariable<int>& j) {
                double term = model.coef.At(j);
                for (int v = 0; v <= model.lastVar; ++v) {
                    const auto s = static_cast<std::size_t>(v);
                    term *= FunctionDerivative(model.Var(v), j[s], shape.orders[s], x[s]);
                }
                exact += term;
                magnitude += std::abs(term);
            });
            const double value = Evaluate(*derivative, x).value();
            EXPECT_NEAR(value, exact, 1e-12 * std::max(magnitude, 1.0)) << "shape " << &shape - kShapes;
        }
    }
}

// Gauss-Legendre nodes and weights on [-1, 1] by Newton's method on P_n.
void GaussLegendre(int n, std::vector<double>& nodes, std::vector<double>& weights)
{
    nodes.assign(static_cast<std::size_t>(n), 0.0);
    weights.assign(static_cast<std::size_t>(n), 0.0);
    for (int i = 0; i < n; ++i) {
        double x = std::cos(std::numbers::pi * (i + 0.75) / (n + 0.5));
        double derivative = 0.0;
        for (int iteration = 0; iteration < 100; ++iteration) {
            double p0 = 1.0, p1 = x;
            for (int k = 2; k <= n; ++k)
                p0 = std::exchange(p1, ((2 * k - 1) * x * p1 - (k - 1) * p0) / k);
            derivative = n * (x * p1 - p0) / (x * x - 1.0);
            const double step = p1 / derivative;
            x -= step;
            if (std::abs(step) < 1e-16)
                break;
        }
        nodes[static_cast<std::size_t>(i)] = x;
        weights[static_cast<std::size_t>(i)] = 2.0 / ((1.0 - x * x) * derivative * derivative);
    }
}

// The integral over the box by a tensor Gauss-Legendre rule of n nodes per side.
double Quadrature(const ProblemModel& model, const IntegrationBox& box, int n)
{
    std::vector<double> nodes, weights;
    GaussLegendre(n, nodes, weights);
    PerVariable<int> upper{};
    for (int v = 0; v <= model.lastVar; ++v)
        upper[static_cast<std::size_t>(v)] = n - 1;
    std::vector<PerVariable<double>> points;
    std::vector<double> pointWeights;
    ForEachIndex(upper, [&](const PerVariable<int>& i) {
        PerVariable<double> x{};
        double weight = 1.0;
        for (int v = 0; v <= model.lastVar; ++v) {
            const auto s = static_cast<std::size_t>(v);
            const double half = (box.upper[s] - box.lower[s]) / 2.0;
            x[s] = box.lower[s] + half * (nodes[static_cast<std::size_t>(i[s])] + 1.0);
            weight *= half * weights[static_cast<std::size_t>(i[s])];
        }
        points.push_back(x);
        pointWeights.push_back(weight);
    });
    const std::vector<double> values = EvaluateMany(model, points).value();
    double sum = 0.0;
    for (std::size_t p = 0; p < values.size(); ++p)
        sum += pointWeights[p] * values[p];
    return sum;
}

TEST(Integrate, AgreesWithGaussLegendreOverTheIntervalsAndOtherBoxes)
{
    std::mt19937 random(11);
    for (const Shape& shape : kShapes) {
        ProblemModel model = RandomExpansion(shape.trigonometric, shape.counts, random);
        IntegrationBox box = VariableIntervals(model);
        double volume = 1.0;
        double coefficients = 0.0;
        for (int v = 0; v <= model.lastVar; ++v)
            volume *= box.upper[static_cast<std::size_t>(v)] - box.lower[static_cast<std::size_t>(v)];
        for (std::size_t i = 0; i < model.coef.size(); ++i)
            coefficients += std::abs(model.coef.data()[i]);
        const double tolerance = testing::Tolerance(1e4, coefficients * std::abs(volume) * 8.0);
        const double integral = Integrate(model, box).value();
        EXPECT_NEAR(integral, Quadrature(model, box, 12), tolerance) << "shape " << &shape - kShapes;
        EXPECT_NEAR(MeanValue(model, box).value() * volume, integral, tolerance);
        // Backwards along the first variable: the sign turns.
        std::swap(box.lower[0], box.upper[0]);
        EXPECT_NEAR(Integrate(model, box).value(), -integral, tolerance);
        model.MarkEdited();
        EXPECT_FALSE(Integrate(model, box) || MeanValue(model, box));
    }
}

} // namespace
} // namespace tavex
