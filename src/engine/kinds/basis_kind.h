#pragma once

#include "model/problem_model.h"

#include <string>
#include <string_view>
#include <vector>

namespace tavex {

// How one level of the nested sum takes its terms j = 0..m.
enum class LevelForm {
    kHorner,   // descending j, S = S * argument + inner(j): no weights are formed
    kWeighted, // ascending j, S = inner(j) * weight(j) + S
};

// The derivative along one variable maps a line of coefficients to a line of
// the derivative's: term j of it is factor[j] times term source[j] of the
// expansion, or 0 where source[j] is kNoSource. Each function's derivative is
// a multiple of one function of the same kind, so one term is enough.
struct DerivativeMap {
    static constexpr int kNoSource = -1;
    std::vector<int> source;
    std::vector<double> factor;
    int Count() const { return static_cast<int>(source.size()); }
};

// What a basis kind is made of: its functions at a value for the solve, at a
// point for the evaluation, and its terms' text. The engine looks a kind up
// once per variable; the hot loops see only a LevelForm and numbers.
class BasisKind {
public:
    virtual ~BasisKind() = default;

    // The first word of the report's TYPE line.
    virtual std::string_view TypeName() const = 0;
    // Whether the argument divides by a period (the report prints it; 0 makes every value NaN).
    virtual bool HasPeriod() const = 0;
    virtual LevelForm Form() const = 0;

    // Row of the basis matrix at value x: functions 0..order-1, as the solve uses them.
    virtual void BasisRow(double x, double center, double period, int order, double* row) const = 0;
    // How much one entry of a basis row costs against a product: decides whether rows are shared out.
    virtual double EntryCost() const = 0;

    // What a level of the evaluation takes at coordinate x: the center comes off here, once.
    virtual double Argument(double x, double center, double period) const = 0;
    // weights[0..m] at an argument, in the order and by the operations the evaluation meets them.
    virtual void Weights(double argument, int m, double* weights) const = 0;

    // Appends "*" and the factor of function j (j >= 1) of the variable `name` to a term's text.
    virtual void AppendFactor(std::string& term, std::string_view name, double center, int j) const = 0;
    // Why the basis at the first `values` is singular in exact arithmetic, with what to do; empty when it is not.
    virtual std::string Singularity(const std::vector<double>& values, double center, double period,
                                    std::string_view name) const = 0;

    // The derivative of order `order` along the variable, as a map of a line
    // of `count` coefficients to the derivative's line in the same functions.
    virtual DerivativeMap Derivative(int count, double period, int order) const = 0;
    // weights[0..m]: the integrals of functions 0..m over [from, to], coordinates.
    virtual void IntegralWeights(double from, double to, double center, double period, int m,
                                 double* weights) const = 0;
};

// The module of a model's kind: the one place the engine maps Kind to its functions.
const BasisKind& BasisKindOf(Kind kind);

} // namespace tavex
