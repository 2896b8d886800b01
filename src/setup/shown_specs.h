#pragma once

#include "model/problem_model.h"

#include <optional>
#include <string>
#include <vector>

namespace tavex {

// What the window shows of a problem read from a file. The center and period
// boxes are written only by Open, with the file's own texts; SetDisplayedSpecs
// leaves them as they are.
struct ShownPanel {
    std::string name;
    std::string lowerLimit;
    std::string upperLimit;
    std::optional<std::string> center;
    std::optional<std::string> period;
    std::string valueCount;
    bool powerChecked = true;
    bool spacedChecked = true;
};

struct ShownSpecs {
    std::string variableCount;       // lastVar + 1
    std::string variableNames;       // the names joined by "," alone
    std::vector<ShownPanel> panels;  // variables 0..lastVar
};

// The data side of SetDisplayedSpecs: the texts and check states for the window.
ShownSpecs SetDisplayedSpecs(const ProblemModel& model);

} // namespace tavex
