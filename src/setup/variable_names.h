#pragma once

#include "model/problem_model.h"

#include <string>
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
// leading blank) and makes the pieces the names, accepted or not; fewer pieces
// than variables leave the remaining names empty. Accepted when there are
// exactly lastVar + 1 pieces, none empty, none holding a double quote or a
// line end (the problem file could not keep it). NamesRefusal says why.
NamesCheck AcceptVariableNames(ProblemModel& model, std::string_view text);

} // namespace tavex
