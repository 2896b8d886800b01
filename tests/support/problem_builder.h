#pragma once

#include "model/index_walk.h"
#include "model/problem_model.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace tavex::testing {

struct VariableSpec {
    std::string name;
    bool trigonometric = false;
    std::vector<double> values{0.0}; // one value unless given
    double center = 0.0, period = 0.0;
    double lowerLimit = 0.0, upperLimit = 0.0;
    bool equallySpaced = false;
};

// `count` values from `lower` to `upper`, equally spaced as the panels make them.
inline VariableSpec SpacedVariable(std::string name, double lower, double upper, int count)
{
    Variable spaced;
    spaced.lowerLimit = lower;
    spaced.upperLimit = upper;
    spaced.valueUpper = count - 1;
    spaced.FillSpacedValues();
    VariableSpec spec;
    spec.name = std::move(name);
    spec.values = spaced.values;
    spec.lowerLimit = lower;
    spec.upperLimit = upper;
    spec.equallySpaced = true;
    return spec;
}

// Every variable's field `member`, slot by slot.
template <typename T>
PerVariable<T> EachVariable(const ProblemModel& model, T Variable::*member)
{
    PerVariable<T> fields{};
    for (int k = 0; k < kMaxVariables; ++k)
        fields[static_cast<std::size_t>(k)] = model.Var(k).*member;
    return fields;
}

// Names variable k names[k], and every slot past the names no name.
inline void SetNames(ProblemModel& model, const std::vector<std::string>& names)
{
    for (std::size_t s = 0; s < model.variables.size(); ++s) {
        model.variables[s].name.clear();
        if (s < names.size())
            model.variables[s].name.append(names[s]);
    }
}

// Sets every variable's field `member` from `fields`, slot by slot.
template <typename T>
void SetEachVariable(ProblemModel& model, T Variable::*member, const PerVariable<T>& fields)
{
    for (int k = 0; k < kMaxVariables; ++k)
        model.Var(k).*member = fields[static_cast<std::size_t>(k)];
}

// A problem as the panels leave it once the values are typed; `table`, first
// index fastest, is both the function values and coef, the copy Compute works on.
inline ProblemModel MakeProblem(const std::vector<VariableSpec>& variables, const std::vector<double>& table = {})
{
    ProblemModel model;
    model.lastVar = static_cast<int>(variables.size()) - 1;
    model.AllocateVariableArrays();
    for (int k = 0; k <= model.lastVar; ++k) {
        const VariableSpec& spec = variables[static_cast<std::size_t>(k)];
        Variable& variable = model.Var(k);
        variable.name = spec.name;
        variable.kind = spec.trigonometric ? Kind::Trigonometric : Kind::Polynomial;
        variable.valueUpper = static_cast<int>(spec.values.size()) - 1;
        variable.center = spec.center;
        variable.period = spec.period;
        variable.lowerLimit = spec.lowerLimit;
        variable.upperLimit = spec.upperLimit;
        variable.isEquallySpaced = spec.equallySpaced;
        variable.values = spec.values;
    }
    model.ShapeTablesFromValueCounts();
    std::copy(table.begin(), table.end(), model.funTable.data());
    model.coef = model.funTable;
    return model;
}

// Re-shapes both tables, all 0, with room[k] more indices on dimension k than
// the counts use, as a Delete leaves them: the storage is not the counts.
inline void AddTableRoom(ProblemModel& model, const PerVariable<int>& room)
{
    PerVariable<int> upper = model.UpperIndices();
    for (std::size_t k = 0; k < upper.size(); ++k)
        upper[k] += room[k];
    model.ShapeTables(upper);
}

// Sets every function value to f(the grid point's values) and coef to the same.
template <typename Function>
void TabulateFunction(ProblemModel& model, const Function& f)
{
    ForEachIndex(model.UpperIndices(), [&](const PerVariable<int>& i) {
        PerVariable<double> x{};
        for (int k = 0; k <= model.lastVar; ++k)
            x[static_cast<std::size_t>(k)] = model.Var(k).Value(i[static_cast<std::size_t>(k)]);
        model.funTable(i[0], i[1], i[2], i[3]) = f(x);
    });
    model.coef = model.funTable;
}

} // namespace tavex::testing
