#pragma once

#include "model/problem_model.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace tavex::testing {

// A problem set up as the panels would leave it after the values were typed.
struct VariableSpec {
    std::string name;
    bool trigonometric = false;
    std::vector<double> values;
    double center = 0.0;
    double period = 0.0;
};

inline ProblemModel MakeProblem(std::initializer_list<VariableSpec> variables)
{
    ProblemModel model;
    model.lastVar = static_cast<int>(variables.size()) - 1;
    model.AllocateVariableArrays();
    model.varName.clear();
    int k = 0;
    for (const auto& v : variables) {
        const auto slot = static_cast<std::size_t>(k);
        model.varName.push_back(v.name);
        model.kind[slot] = v.trigonometric ? Kind::Trigonometric : Kind::Polynomial;
        model.valueUpper[slot] = static_cast<int>(v.values.size()) - 1;
        model.center[slot] = v.center;
        model.period[slot] = v.period;
        model.lowerLimit[slot] = v.values.front();
        model.upperLimit[slot] = v.values.back();
        model.valueStep[slot] = (model.upperLimit[slot] - model.lowerLimit[slot]) / model.valueUpper[slot];
        model.ResizeVarX(k);
        for (int i = 0; i <= model.valueUpper[slot]; ++i)
            model.SetVarX(k, i, v.values[static_cast<std::size_t>(i)]);
        ++k;
    }
    model.ShapeTablesFromValueCounts();
    return model;
}

inline constexpr PerVariable<bool> kNoneSpaced{false, false, false, false};

} // namespace tavex::testing
