#include "setup/shown_specs.h"

#include "model/number_text.h"

namespace tavex {

ShownSpecs SetDisplayedSpecs(const ProblemModel& model)
{
    assert(model.lastVar >= 0 && model.lastVar < kMaxVariables);
    assert(model.varName.size() >= static_cast<std::size_t>(model.lastVar) + 1);
    ShownSpecs shown;
    shown.variableCount = std::to_string(model.lastVar + 1);
    for (int k = 0; k <= model.lastVar; ++k) {
        const auto s = static_cast<std::size_t>(k);
        ShownPanel panel;
        panel.name = model.Var(s).name;
        panel.lowerLimit = TextOfNumber(model.Var(s).lowerLimit);
        panel.upperLimit = TextOfNumber(model.Var(s).upperLimit);
        panel.valueCount = std::to_string(static_cast<long long>(model.Var(s).valueUpper) + 1);
        panel.powerChecked = !model.IsTrigonometric(k);
        panel.spacedChecked = model.Var(s).isEquallySpaced;
        shown.panels.push_back(std::move(panel));

        if (k > 0)
            shown.variableNames += ',';
        shown.variableNames += model.Var(s).name;
    }
    return shown;
}

} // namespace tavex
