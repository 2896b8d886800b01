#include "setup/shown_specs.h"

#include "model/number_text.h"

namespace tavex {

ShownSpecs SetDisplayedSpecs(const ProblemModel& model)
{
    assert(model.lastVar >= 0 && model.lastVar < kMaxVariables);
    ShownSpecs shown;
    shown.variableCount = std::to_string(model.lastVar + 1);
    for (int k = 0; k <= model.lastVar; ++k) {
        ShownPanel panel;
        panel.name = model.Var(k).name;
        panel.lowerLimit = TextOfNumber(model.Var(k).lowerLimit);
        panel.upperLimit = TextOfNumber(model.Var(k).upperLimit);
        panel.valueCount = std::to_string(static_cast<long long>(model.Var(k).valueUpper) + 1);
        panel.powerChecked = !model.IsTrigonometric(k);
        panel.spacedChecked = model.Var(k).isEquallySpaced;
        shown.panels.push_back(std::move(panel));

        if (k > 0)
            shown.variableNames += ',';
        shown.variableNames += model.Var(k).name;
    }
    return shown;
}

} // namespace tavex
