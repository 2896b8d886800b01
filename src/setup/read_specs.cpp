#include "setup/read_specs.h"

#include "model/number_text.h"
#include "model/star_value.h"
#include "setup/value_count.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace tavex {

namespace {

SpecsRead Refused(std::string why)
{
    return {false, std::move(why)};
}

// What the coefficients depend on among what ReadSpecs writes, to tell
// whether a read changed it. Compared bit for bit, so that a NaN is no change.
// Whether a list is equally spaced is no part of it: its values are.
struct ReadFields {
    PerVariable<double> lower, upper, center, period;
    PerVariable<int> valueUpper;
    PerVariable<Kind> kind;
    PerVariable<std::vector<double>> values;

    explicit ReadFields(const ProblemModel& model)
        : lower(model.lowerLimit), upper(model.upperLimit), center(model.center), period(model.period),
          valueUpper(model.valueUpper), kind(model.kind)
    {
        for (int k = 0; k <= model.lastVar; ++k)
            values[static_cast<std::size_t>(k)] = model.VarX(k);
    }

    bool SameAs(const ReadFields& other) const
    {
        return SameBits(lower, other.lower) && SameBits(upper, other.upper) && SameBits(center, other.center)
            && SameBits(period, other.period) && valueUpper == other.valueUpper && kind == other.kind
            && std::equal(values.begin(), values.end(), other.values.begin(),
                          [](const auto& a, const auto& b) { return SameBits(a, b); });
    }

    template <typename Doubles>
    static bool SameBits(const Doubles& a, const Doubles& b)
    {
        // An empty list's data() may be null, which memcmp must not be given.
        return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0);
    }
};

} // namespace

SpecsRead ReadSpecs(ProblemModel& model, const Panels& panels)
{
    assert(model.lastVar >= 0 && model.lastVar < kMaxVariables);
    for (int k = 0; k <= model.lastVar; ++k) {
        const auto s = static_cast<std::size_t>(k);
        const int upper = ValueUpperFromText(panels[s].valueCount);
        const std::string which = "variable " + std::to_string(k + 1);
        if (upper < 1)
            return Refused("The \"# of values\" entry of " + which + " holds fewer than 2 values.");
        if (upper >= model.funTable.extent(k))
            return Refused("The \"# of values\" entry of " + which + " has not been confirmed.");
        if (model.valuesExplicit[s] && !panels[s].spacedChecked
            && model.VarX(k).size() < static_cast<std::size_t>(upper) + 1)
            return Refused("The value list of " + which + " holds fewer values than its \"# of values\".");
    }

    const ReadFields before(model);
    const PerVariable<bool> spacedBefore = model.isEquallySpaced;
    PerVariable<bool> spaced{};
    for (int k = 0; k <= model.lastVar; ++k) {
        const auto s = static_cast<std::size_t>(k);
        const PanelTexts& panel = panels[s];
        model.lowerLimit[s] = LeadingNumber(panel.lowerLimit);
        model.upperLimit[s] = LeadingNumber(panel.upperLimit);
        model.valueUpper[s] = ValueUpperFromText(panel.valueCount);
        model.center[s] = IsStarEntry(panel.center) ? StarCenter(model.lowerLimit[s], model.upperLimit[s])
                                                    : LeadingNumber(panel.center);
        model.period[s] = IsStarEntry(panel.period) ? StarPeriod() : LeadingNumber(panel.period);
        model.kind[s] = panel.powerChecked ? Kind::Polynomial : Kind::Trigonometric;
        model.isEquallySpaced[s] = panel.spacedChecked;
        spaced[s] = panel.spacedChecked;
    }
    for (int k = 0; k <= model.lastVar; ++k) {
        const auto s = static_cast<std::size_t>(k);
        model.valueStep[s] = (model.upperLimit[s] - model.lowerLimit[s]) / model.valueUpper[s];
    }
    model.RegenerateSpacedValues(spaced);
    for (int k = 0; k <= model.lastVar; ++k) {
        const auto s = static_cast<std::size_t>(k);
        if (!spaced[s] && !model.valuesExplicit[s])
            model.FillSpacedValues(k);
    }
    if (!before.SameAs(ReadFields(model)))
        model.MarkEdited();
    else if (model.isEquallySpaced != spacedBefore)
        model.MarkChanged();
    return {true, {}};
}

} // namespace tavex
