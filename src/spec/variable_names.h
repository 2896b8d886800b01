#pragma once

#include "model/problem_model.h"

#include <string_view>

namespace tavex {

struct NamesCheck {
    bool accepted = false;
    // How many panels, from variable 0 on, show their new name: the names
    // before the first empty one, at most lastVar + 1. A refused text may
    // already have relabelled these.
    int namesShown = 0;
};

// Splits the text at every comma, trims nothing (" y" is a name with a
// leading blank) and makes the pieces varName, accepted or not. Accepted when
// there are exactly lastVar + 1 pieces and none is empty.
NamesCheck AcceptVariableNames(ProblemModel& model, std::string_view text);

} // namespace tavex
