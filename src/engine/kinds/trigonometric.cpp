#include "engine/kinds/trigonometric.h"

#include "engine/kinds/term_text.h"
#include "engine/singular_basis.h"

#include <cmath>

namespace tavex {

namespace {

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
        const double angleFactor = (8.0 * std::atan(1.0)) / period;
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
