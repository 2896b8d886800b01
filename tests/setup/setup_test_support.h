#pragma once

#include "model/problem_model.h"

namespace tavex::setup_test {

// A model as the count confirmation leaves it: `count` variables, every
// per-variable array freshly allocated, tables with room for up to ten values
// of each variable.
inline ProblemModel WithVariables(int count)
{
    ProblemModel model;
    model.lastVar = count - 1;
    model.AllocateVariableArrays();
    std::array<int, 4> room{};
    for (int k = 0; k < count; ++k)
        room[static_cast<std::size_t>(k)] = 9;
    model.ShapeTables(room);
    return model;
}

} // namespace tavex::setup_test
