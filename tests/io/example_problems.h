#pragma once

#include "model/number_text.h"
#include "model/problem_model.h"
#include "model/star_value.h"
#include "support/problem_builder.h"

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace tavex::testing {

// A problem of `counts.size()` variables, kinds alternating, values and
// table filled with numbers of 15 digits, which a file keeps exactly, coefficients stored.
inline ProblemModel MakeMixedModel(const std::vector<int>& counts, unsigned seed)
{
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-30, 30);
    const auto number = [&] {
        return std::strtod(TextOfNumber(mantissa(gen) * std::pow(10.0, exponent(gen))).c_str(), nullptr);
    };
    std::vector<VariableSpec> variables;
    for (std::size_t k = 0; k < counts.size(); ++k) {
        VariableSpec& v = variables.emplace_back();
        v.name = std::string("v").append(std::to_string(k));
        v.trigonometric = k % 2 != 0;
        v.equallySpaced = k % 3 == 0;
        for (double* field : {&v.lowerLimit, &v.upperLimit, &v.center, &v.period})
            *field = number();
        v.values.resize(static_cast<std::size_t>(counts[k]));
        for (double& value : v.values)
            value = number();
    }
    ProblemModel model = MakeProblem(variables);
    for (std::size_t i = 0; i < model.funTable.size(); ++i) {
        model.funTable.data()[i] = number();
        model.coef.data()[i] = number();
    }
    model.SetComputed();
    return model;
}

// One polynomial variable x on [0, 2], three equally spaced values, center 1,
// period "*" (2 pi), function values 5, 7, 9, not computed: the worked
// example of the file layout.
inline ProblemModel MakeExampleModel()
{
    VariableSpec x = SpacedVariable("x", 0.0, 2.0, 3);
    x.center = 1.0;
    x.period = StarPeriod();
    ProblemModel model = MakeProblem({x});
    for (int i = 0; i < 3; ++i) // the coefficients stay 0, as a file without them gives them
        model.funTable(i, 0, 0, 0) = 5 + 2 * i;
    return model;
}

inline const std::string kExampleProblemFile = " 0 \r\n\"x\",0,2,1,#TRUE#,6.28318530717959,2\r\n#FALSE#\r\n";
inline const std::string kExampleDataFile = " 0 \r\n 2 \r\n#TRUE#\r\n 0 \r\n 1 \r\n 2 \r\n 5 \r\n 7 \r\n 9 \r\n";

} // namespace tavex::testing
