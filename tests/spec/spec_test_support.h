#pragma once

#include "model/problem_model.h"

namespace tavex::spec_test {

// A model as the count confirmation leaves it: `count` variables, every
// per-variable array freshly allocated.
inline ProblemModel WithVariables(int count)
{
    ProblemModel model;
    model.lastVar = count - 1;
    model.AllocateVariableArrays();
    return model;
}

} // namespace tavex::spec_test
