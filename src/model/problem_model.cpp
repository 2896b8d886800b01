#include "model/problem_model.h"

#include "base/memory_share.h"

#include <new>
#include <stdexcept>

namespace tavex {

void ProblemModel::AllocateVariableArrays()
{
    for (Variable& variable : variables) {
        std::vector<double> values = std::move(variable.values);
        variable = Variable{};
        variable.values = std::move(values);
    }
}

Results ProblemModel::ResultsState() const
{
    if (!solvedRevision_)
        return Results::None;
    return *solvedRevision_ == revision_ ? Results::Current : Results::OutOfDate;
}

std::vector<std::string> ProblemModel::Names() const
{
    std::vector<std::string> names;
    for (int k = 0; k <= lastVar; ++k)
        names.push_back(Var(k).name);
    return names;
}

PerVariable<int> ProblemModel::UpperIndices() const
{
    PerVariable<int> upper{};
    for (int k = 0; k <= lastVar; ++k)
        upper[Slot(k)] = Var(k).valueUpper;
    return upper;
}

PerVariable<int> ProblemModel::ValueUppers() const
{
    PerVariable<int> upper{};
    for (std::size_t s = 0; s < variables.size(); ++s)
        upper[s] = variables[s].valueUpper;
    return upper;
}

std::size_t ProblemModel::MostTableElements()
{
    return static_cast<std::size_t>(MemoryShareBytes() / (2 * sizeof(double)));
}

bool ProblemModel::TablesFit(const PerVariable<int>& upper)
{
    const std::size_t count = Table4::ElementCount(upper);
    return count > 0 && count <= MostTableElements();
}

void ProblemModel::ShapeTables(const PerVariable<int>& upper)
{
    if (!TablesFit(upper))
        throw std::length_error("tables too large");
    // Shape a copy first so that a failure leaves both tables as they were.
    Table4 fun;
    fun.Reshape(upper);
    Table4 coefficients;
    coefficients.Reshape(upper);
    funTable = std::move(fun);
    coef = std::move(coefficients);
}

bool ProblemModel::TryShapeTables(const PerVariable<int>& upper)
{
    if (!TablesFit(upper))
        return false;
    try {
        ShapeTables(upper);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void ProblemModel::RegenerateSpacedValues(const PerVariable<bool>& spacedChecked)
{
    for (int k = 0; k <= lastVar; ++k)
        if (spacedChecked[static_cast<std::size_t>(k)])
            FillSpacedValues(k);
}

} // namespace tavex
