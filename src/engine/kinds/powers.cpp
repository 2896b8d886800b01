#include "engine/kinds/powers.h"

#include "engine/kinds/term_text.h"
#include "engine/singular_basis.h"

namespace tavex {

namespace {

class Powers final : public BasisKind {
public:
    std::string_view TypeName() const override { return "POLYNOMIAL"; }
    bool HasPeriod() const override { return false; }
    LevelForm Form() const override { return LevelForm::kHorner; }

    void BasisRow(double x, double center, double, int order, double* row) const override
    {
        const double u = x - center;
        row[0] = 1.0;
        double t = 1.0;
        for (int j = 1; j < order; ++j) {
            t = t * u;
            row[j] = t;
        }
    }
    double EntryCost() const override { return 1.0; }

    double Argument(double x, double center, double) const override { return x - center; }
    void Weights(double argument, int m, double* weights) const override
    {
        weights[0] = 1.0;
        for (int j = 1; j <= m; ++j)
            weights[j] = weights[j - 1] * argument;
    }

    // d^k/dx^k (x-c)^(j+k) = (j+1)(j+2)...(j+k) (x-c)^j: each coefficient
    // moves k places down times the falling product of its exponent; the top k go to 0.
    DerivativeMap Derivative(int count, double, int order) const override
    {
        DerivativeMap map;
        for (int j = 0; j < count; ++j) {
            const int from = j + order;
            double factor = 1.0;
            for (int e = j + 1; e <= from; ++e)
                factor = factor * e;
            map.source.push_back(from < count ? from : DerivativeMap::kNoSource);
            map.factor.push_back(from < count ? factor : 0.0);
        }
        return map;
    }
    // The integral of (x-c)^j over [a, b]: ((b-c)^(j+1) - (a-c)^(j+1)) / (j+1).
    void IntegralWeights(double from, double to, double center, double, int m, double* weights) const override
    {
        const double a = from - center;
        const double b = to - center;
        double powerA = a;
        double powerB = b;
        for (int j = 0; j <= m; ++j) {
            weights[j] = (powerB - powerA) / (j + 1);
            powerA = powerA * a;
            powerB = powerB * b;
        }
    }

    void AppendFactor(std::string& term, std::string_view name, double center, int j) const override
    {
        const bool centered = center != 0.0;
        term += '*';
        if (centered)
            term += '(';
        term += name;
        if (centered)
            term.append(CenterPart(center)).append(")");
        if (j > 1)
            term.append("^").append(std::to_string(j));
    }
    std::string Singularity(const std::vector<double>& values, double, double, std::string_view name) const override
    {
        return RepeatedValueSingularity(values, name);
    }
};

} // namespace

const BasisKind& PowersKind()
{
    static const Powers kind;
    return kind;
}

} // namespace tavex
