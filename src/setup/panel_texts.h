#pragma once

#include "model/problem_model.h"

#include <string>

namespace tavex {

// What one variable's specs panel holds, as typed: the window keeps
// these texts and check states, the core reads them.
struct PanelTexts {
    std::string lowerLimit = "-5";
    std::string upperLimit = "5";
    std::string center = "*";     // "*": the middle of the interval
    std::string period = "*";     // "*": 2 pi
    std::string valueCount = "2";
    bool powerChecked = true;     // unchecked: trigonometric
    bool spacedChecked = true;
};

using Panels = PerVariable<PanelTexts>;

} // namespace tavex
