#include "spec/read_specs.h"

#include "model/number_text.h"
#include "spec/star_value.h"
#include "spec/value_count.h"

namespace tavex {

bool ReadSpecs(ProblemModel& model, const Panels& panels)
{
    assert(model.lastVar >= 0 && model.lastVar < kMaxVariables);
    for (int k = 0; k <= model.lastVar; ++k)
        if (ValueUpperFromText(panels[static_cast<std::size_t>(k)].valueCount) < 1)
            return false;

    PerVariable<bool> spaced{};
    for (int k = 0; k <= model.lastVar; ++k) {
        const auto s = static_cast<std::size_t>(k);
        const PanelTexts& panel = panels[s];
        model.lowerLimit[s] = LeadingNumber(panel.lowerLimit);
        model.upperLimit[s] = LeadingNumber(panel.upperLimit);
        model.valueUpper[s] = ValueUpperFromText(panel.valueCount);
        model.center[s] = IsStarEntry(panel.center) ? StarCenter(model.lowerLimit[s], model.upperLimit[s])
                                                    : LeadingNumber(panel.center);
        model.period[s] = IsStarEntry(panel.period) ? StarPeriod(model.piValue) : LeadingNumber(panel.period);
        model.isPolynomial[s] = panel.powerChecked;
        model.isTrigonometric[s] = !panel.powerChecked;
        model.isEquallySpaced[s] = panel.spacedChecked;
        spaced[s] = panel.spacedChecked;
    }
    for (int k = 0; k <= model.lastVar; ++k) {
        const auto s = static_cast<std::size_t>(k);
        model.valueStep[s] = (model.upperLimit[s] - model.lowerLimit[s]) / model.valueUpper[s];
    }
    model.RegenerateSpacedValues(spaced);
    return true;
}

} // namespace tavex
