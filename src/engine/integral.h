#pragma once

#include "model/problem_model.h"

#include <optional>

namespace tavex {

// The box an integral runs over: variable v from lower[v] to upper[v]
// (coordinates; lower > upper integrates backwards, lower = upper gives 0).
struct IntegrationBox {
    PerVariable<double> lower{};
    PerVariable<double> upper{};
};

// Each variable over its interval [lower limit, upper limit].
IntegrationBox VariableIntervals(const ProblemModel& model);

// The definite integral of the expansion over the box, term by term in closed
// form; no value while isComputed is false.
std::optional<double> Integrate(const ProblemModel& model, const IntegrationBox& box);

// The integral divided by the box's volume. A variable whose bounds meet
// counts at that coordinate instead: the mean's limit as its side shrinks.
std::optional<double> MeanValue(const ProblemModel& model, const IntegrationBox& box);

} // namespace tavex
