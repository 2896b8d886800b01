#pragma once

#include "model/problem_model.h"

#include <array>
#include <random>
#include <vector>

namespace tavex::testing {

struct Variable {
    bool trigonometric = false;
    int count = 1;
    double center = 0.0, period = 0.0;
};

// A computed expansion with random coefficients; `spare` more indices on
// every dimension of the storage than the counts use, those beyond the
// variables included, as a Delete leaves it.
inline ProblemModel Expansion(const std::vector<Variable>& variables, int spare = 0)
{
    ProblemModel model;
    model.lastVar = static_cast<int>(variables.size()) - 1;
    model.AllocateVariableArrays();
    std::array<int, 4> storage{spare, spare, spare, spare};
    for (std::size_t k = 0; k < variables.size(); ++k) {
        model.kind[k] = variables[k].trigonometric ? Kind::Trigonometric : Kind::Polynomial;
        model.center[k] = variables[k].center;
        model.period[k] = variables[k].period;
        storage[k] += variables[k].count - 1;
    }
    model.ShapeTables(storage);
    for (std::size_t k = 0; k < variables.size(); ++k)
        model.valueUpper[k] = variables[k].count - 1;
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> coefficient(-1.0, 1.0);
    for (std::size_t i = 0; i < model.coef.size(); ++i)
        model.coef.data()[i] = coefficient(gen);
    model.isComputed = true;
    return model;
}

} // namespace tavex::testing
