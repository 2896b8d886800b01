#pragma once

#include "model/problem_model.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace tavex::testing {

// Calls visit(i) at every index i up to `upper`, the first varying fastest.
template <typename Visit>
void ForEachIndex(const std::array<int, 4>& upper, const Visit& visit)
{
    std::array<int, 4> i{};
    for (i[3] = 0; i[3] <= upper[3]; ++i[3])
        for (i[2] = 0; i[2] <= upper[2]; ++i[2])
            for (i[1] = 0; i[1] <= upper[1]; ++i[1])
                for (i[0] = 0; i[0] <= upper[0]; ++i[0])
                    visit(i);
}

struct VariableSpec {
    std::string name;
    bool trigonometric = false;
    std::vector<double> values;
    double center = 0.0, period = 0.0;
};

// A problem as the panels leave it once the values are typed; `table`, first
// index fastest, is both the function values and coef, the copy Compute works on.
inline ProblemModel MakeProblem(const std::vector<VariableSpec>& variables, const std::vector<double>& table = {})
{
    ProblemModel model;
    model.lastVar = static_cast<int>(variables.size()) - 1;
    model.AllocateVariableArrays();
    model.varName.clear();
    for (int k = 0; k <= model.lastVar; ++k) {
        const VariableSpec& v = variables[static_cast<std::size_t>(k)];
        model.varName.push_back(v.name);
        model.kind[k] = v.trigonometric ? Kind::Trigonometric : Kind::Polynomial;
        model.valueUpper[k] = static_cast<int>(v.values.size()) - 1;
        model.center[k] = v.center;
        model.period[k] = v.period;
        model.ResizeVarX(k);
        for (int i = 0; i <= model.valueUpper[k]; ++i)
            model.SetVarX(k, i, v.values[static_cast<std::size_t>(i)]);
    }
    model.ShapeTablesFromValueCounts();
    std::copy(table.begin(), table.end(), model.funTable.data());
    model.coef = model.funTable;
    return model;
}

} // namespace tavex::testing
