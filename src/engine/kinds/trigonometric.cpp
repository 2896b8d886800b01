#include "engine/kinds/trigonometric.h"

#include "engine/kinds/term_text.h"
#include "engine/singular_basis.h"

#include <cmath>

namespace tavex {

namespace {

// The solve's angle per unit of x, 2 pi / period; the derivative and the
// integral scale by the same number.
double AngleFactor(double period)
{
    return (8.0 * std::atan(1.0)) / period;
}

// The solve forms the angle as (x - center) * ((8 atan 1) / period) and the
// evaluation as ((atan 1 * dx) * 8) / period: the saved coefficients and every
// value depend on both, so both stay.
class Trigonometric final : public BasisKind {
public:
    std::string_view TypeName() const override { return "TRIGONOMETRIC"; }
    bool HasPeriod() const override { return true; }
    LevelForm Form() const override { return LevelForm::kWeighted; }

    void BasisRow(double x, double center, double period, int order, double* row) const override
    {
        const double angleFactor = AngleFactor(period);
        const double u = (x - center) * angleFactor;
        row[0] = 1.0;
        double t = u;
        for (int j = 1; j < order; ++j) {
            if (j % 2 == 1) {
                row[j] = std::sin(t);
            } else {
                row[j] = std::cos(t);
                t = t + u;
            }
        }
    }
    // A big matrix spends its time in sin and cos.
    double EntryCost() const override { return 20.0; }

    double Argument(double x, double center, double period) const override
    {
        return ((std::atan(1.0) * (x - center)) * 8.0) / period;
    }
    void Weights(double argument, int m, double* weights) const override
    {
        TrigonometricWeights(argument, m, weights);
    }

    // Function 2p-1 is sin(p w t), 2p is cos(p w t), w = 2 pi / period: k
    // derivatives turn the pair's angle by k quarter turns and scale it by
    // (p w)^k. An even count ends on a sine whose cosine the derivative needs:
    // the derivative has that one function more.
    DerivativeMap Derivative(int count, double period, int order) const override
    {
        const int derivativeCount = order % 2 == 1 && count > 1 && count % 2 == 0 ? count + 1 : count;
        DerivativeMap map;
        map.source.assign(static_cast<std::size_t>(derivativeCount), DerivativeMap::kNoSource);
        map.factor.assign(static_cast<std::size_t>(derivativeCount), 0.0);
        if (order == 0) {
            for (int j = 0; j < count; ++j) {
                map.source[static_cast<std::size_t>(j)] = j;
                map.factor[static_cast<std::size_t>(j)] = 1.0;
            }
            return map;
        }
        const double angleFactor = AngleFactor(period);
        // The quarter turns: sin -> cos -> -sin -> -cos -> sin.
        const int turns = order % 4;
        const bool swapped = turns % 2 == 1;
        for (int j = 1; j < derivativeCount; ++j) {
            const int p = (j + 1) / 2;
            const bool sine = j % 2 == 1;
            double scale = 1.0;
            for (int e = 0; e < order; ++e)
                scale = scale * (p * angleFactor);
            const int from = swapped ? (sine ? j + 1 : j - 1) : j;
            // sin gains -cos at one turn, -sin at two, cos at three; cos gains sin, -cos, -sin.
            const bool negative = sine ? turns == 1 || turns == 2 : turns == 2 || turns == 3;
            if (from < count) {
                map.source[static_cast<std::size_t>(j)] = from;
                map.factor[static_cast<std::size_t>(j)] = negative ? -scale : scale;
            }
        }
        return map;
    }
    // The integrals of 1, sin(p u), cos(p u) over [a, b], u the angle at a coordinate.
    void IntegralWeights(double from, double to, double center, double period, int m, double* weights) const override
    {
        const double angleFactor = AngleFactor(period);
        const double ua = (from - center) * angleFactor;
        const double ub = (to - center) * angleFactor;
        weights[0] = to - from;
        for (int j = 1; j <= m; ++j) {
            const int p = (j + 1) / 2;
            const double rate = p * angleFactor;
            weights[j] = j % 2 == 1 ? (std::cos(p * ua) - std::cos(p * ub)) / rate
                                    : (std::sin(p * ub) - std::sin(p * ua)) / rate;
        }
    }

    void AppendFactor(std::string& term, std::string_view name, double center, int j) const override
    {
        const bool centered = center != 0.0;
        term += '*';
        term += j % 2 == 0 ? "cos(" : "sin(";
        const bool multiple = j >= 3;
        if (multiple) {
            term.append(std::to_string((j + 1) / 2)).append("*");
            if (centered)
                term += '(';
        }
        term.append(name).append(CenterPart(center)).append(")");
        if (multiple && centered)
            term += ')';
    }
    std::string Singularity(const std::vector<double>& values, double center, double period,
                            std::string_view name) const override
    {
        return AngleSingularity(values, center, period, name);
    }
};

} // namespace

const BasisKind& TrigonometricKind()
{
    static const Trigonometric kind;
    return kind;
}

void TrigonometricWeights(double angle, int m, double* weights)
{
    double running = 0.0;
    int j = 0;
    while (j <= m - 1) {
        weights[j] = std::cos(running);
        running = angle + running;
        ++j;
        weights[j] = std::sin(running);
        ++j;
    }
    if (j == m)
        weights[j] = std::cos(running);
}

} // namespace tavex
