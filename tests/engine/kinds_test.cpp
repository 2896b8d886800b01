#include "engine/kinds/powers.h"
#include "engine/kinds/trigonometric.h"
#include "support/tolerance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace tavex {
namespace {

constexpr int kOrder = 6;

// Function j of each kind at x in closed form.
double PowerOf(double x, double center, double, int j) { return std::pow(x - center, j); }
double TrigOf(double x, double center, double period, int j)
{
    const double a = 2.0 * std::numbers::pi * (x - center) / period;
    return j == 0 ? 1.0 : j % 2 == 1 ? std::sin((j + 1) / 2 * a) : std::cos(j / 2 * a);
}

// `factors`: AppendFactor of functions 1..4 of "x"; the weights are the row's bits for powers (the same
// products), not for angles (two roundings of the angle).
struct KindCase { const BasisKind& kind; double (*closedForm)(double, double, double, int); double center, period;
                  bool hasPeriod; std::vector<std::string> factors; bool weightsAreRowBits; };

TEST(Kinds, RowsWeightsTermsAndPeriodOfEachKind)
{
    const KindCase cases[] = {
        {PowersKind(), PowerOf, 0.5, 0.0, false, {"*(x-0.5)", "*(x-0.5)^2", "*(x-0.5)^3", "*(x-0.5)^4"}, true},
        {PowersKind(), PowerOf, 0.0, 0.0, false, {"*x", "*x^2", "*x^3", "*x^4"}, true},
        {TrigonometricKind(), TrigOf, -0.25, 3.0, true,
         {"*sin(x+0.25)", "*cos(x+0.25)", "*sin(2*(x+0.25))", "*cos(2*(x+0.25))"}, false},
        {TrigonometricKind(), TrigOf, 0.0, 2.0, true, {"*sin(x)", "*cos(x)", "*sin(2*x)", "*cos(2*x)"}, false},
    };
    for (const KindCase& c : cases) {
        SCOPED_TRACE(std::string(c.kind.TypeName()) + " about " + std::to_string(c.center));
        EXPECT_EQ(c.kind.HasPeriod(), c.hasPeriod);
        for (const double x : {-1.75, -0.3, 0.0, 0.9, 2.6}) {
            double row[kOrder], weights[kOrder];
            c.kind.BasisRow(x, c.center, c.period, kOrder, row);
            c.kind.Weights(c.kind.Argument(x, c.center, c.period), kOrder - 1, weights);
            for (int j = 0; j < kOrder; ++j) {
                const double exact = c.closedForm(x, c.center, c.period, j);
                // The powers run up to 2.85^5; an angle of j/2 turns carries j/2 roundings of the angle.
                const double scale = c.hasPeriod ? 16.0 * kOrder : std::pow(std::fabs(x - c.center) + 1.0, j);
                EXPECT_NEAR(row[j], exact, testing::Tolerance(2.0 * kOrder, scale)) << "row, j = " << j;
                EXPECT_NEAR(weights[j], exact, testing::Tolerance(2.0 * kOrder, scale)) << "weights, j = " << j;
                if (c.weightsAreRowBits) {
                    EXPECT_EQ(weights[j], row[j]) << "j = " << j;
                }
            }
        }
        for (int j = 1; j <= 4; ++j) {
            std::string term;
            c.kind.AppendFactor(term, "x", c.center, j);
            EXPECT_EQ(term, c.factors[static_cast<std::size_t>(j - 1)]);
        }
    }
}

} // namespace
} // namespace tavex
