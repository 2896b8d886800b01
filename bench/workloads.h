#pragma once

#include "model/problem_model.h"

#include <vector>

namespace tavex::bench {

// The benchmark problems: every variable equally spaced on [-1, 1] with
// `count` values, all polynomial or all trigonometric (period 2.5, center 0),
// and a smooth function tabulated on the grid.
struct Workload {
    const char* name;
    std::vector<int> counts;
};

// W1: 20; W2: 200 x 200; W3: 64^3; W4: 40^4; W5: 64^4.
const std::vector<Workload>& Workloads();

// A ready problem: funTable filled, coef a copy of it, lists generated.
ProblemModel MakeWorkloadProblem(const Workload& workload, bool trigonometric);

inline constexpr PerVariable<bool> kAllSpaced{true, true, true, true};

} // namespace tavex::bench
