#include "example_problems.h"

#include <random>

namespace tavex::testing {

ProblemModel MakeMixedModel(const std::vector<int>& counts, unsigned seed)
{
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-30, 30);
    const auto number = [&] { return mantissa(gen) * std::pow(10.0, exponent(gen)); };

    ProblemModel model;
    model.lastVar = static_cast<int>(counts.size()) - 1;
    model.AllocateVariableArrays();
    model.varName.resize(counts.size());
    for (int k = 0; k <= model.lastVar; ++k) {
        const auto s = static_cast<std::size_t>(k);
        model.varName[s] = std::string("v").append(std::to_string(k));
        model.kind[s] = k % 2 == 0 ? Kind::Polynomial : Kind::Trigonometric;
        model.isEquallySpaced[s] = k % 3 == 0;
        model.lowerLimit[s] = number();
        model.upperLimit[s] = number();
        model.center[s] = number();
        model.period[s] = number();
        model.valueUpper[s] = counts[s] - 1;
        model.valueStep[s] = (model.upperLimit[s] - model.lowerLimit[s]) / model.valueUpper[s];
        model.ResizeVarX(k);
        for (int i = 0; i <= model.valueUpper[s]; ++i)
            model.SetVarX(k, i, number());
    }
    model.ShapeTablesFromValueCounts();
    for (std::size_t i = 0; i < model.funTable.size(); ++i) {
        model.funTable.data()[i] = number();
        model.coef.data()[i] = number();
    }
    model.isComputed = true;
    return model;
}

} // namespace tavex::testing
