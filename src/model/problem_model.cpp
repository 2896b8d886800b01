#include "model/problem_model.h"

#include "base/memory_share.h"

#include <new>
#include <stdexcept>

namespace tavex {

ProblemModel::ProblemModel()
    : varName(kMaxVariables)
{
    for (auto& list : varX_)
        list.assign(1, 0.0);
}

void ProblemModel::AllocateVariableArrays()
{
    varName.assign(kMaxVariables, std::string());
    kind = {};
    isEquallySpaced = {};
    lowerLimit = {};
    upperLimit = {};
    valueUpper = {};
    center = {};
    period = {};
    valueStep = {};
    valuesExplicit = {};
    storedValueUpper = {};
}

Results ProblemModel::ResultsState() const
{
    if (!solvedRevision_)
        return Results::None;
    return *solvedRevision_ == revision_ ? Results::Current : Results::OutOfDate;
}

std::array<int, 4> ProblemModel::UpperIndices() const
{
    std::array<int, 4> upper{};
    for (int k = 0; k <= lastVar; ++k)
        upper[Slot(k)] = valueUpper[Slot(k)];
    return upper;
}

std::size_t ProblemModel::MostTableElements()
{
    return static_cast<std::size_t>(MemoryShareBytes() / (2 * sizeof(double)));
}

bool ProblemModel::TablesFit(const std::array<int, 4>& upper)
{
    const std::size_t count = Table4::ElementCount(upper);
    return count > 0 && count <= MostTableElements();
}

void ProblemModel::ShapeTables(const std::array<int, 4>& upper)
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

bool ProblemModel::TryShapeTables(const std::array<int, 4>& upper)
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

double ProblemModel::GetVarX(int ix, int i) const
{
    if (ix < 0 || ix >= kMaxVariables)
        return 0.0;
    const auto& list = varX_[static_cast<std::size_t>(ix)];
    assert(i >= 0 && static_cast<std::size_t>(i) < list.size());
    return list[static_cast<std::size_t>(i)];
}

void ProblemModel::SetVarX(int ix, int i, double x)
{
    if (ix < 0 || ix >= kMaxVariables)
        return;
    auto& list = varX_[static_cast<std::size_t>(ix)];
    assert(i >= 0 && static_cast<std::size_t>(i) < list.size());
    list[static_cast<std::size_t>(i)] = x;
}

void ProblemModel::ResizeVarX(int ix)
{
    if (ix < 0 || ix >= kMaxVariables)
        return;
    const int upper = valueUpper[static_cast<std::size_t>(ix)];
    assert(upper >= 0);
    varX_[static_cast<std::size_t>(ix)].resize(static_cast<std::size_t>(upper) + 1, 0.0);
}

void ProblemModel::FillSpacedValues(int k)
{
    ResizeVarX(k);
    const auto slot = static_cast<std::size_t>(k);
    const double step = valueStep[slot];
    const double lower = lowerLimit[slot];
    // The product first, then the sum: every build gives the same values.
    for (int i = 0; i <= valueUpper[slot]; ++i)
        SetVarX(k, i, static_cast<double>(i) * step + lower);
}

void ProblemModel::RegenerateSpacedValues(const PerVariable<bool>& spacedChecked)
{
    for (int k = 0; k <= lastVar; ++k)
        if (spacedChecked[static_cast<std::size_t>(k)])
            FillSpacedValues(k);
}

} // namespace tavex
