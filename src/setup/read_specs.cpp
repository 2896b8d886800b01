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
    {
        for (int k = 0; k < kMaxVariables; ++k) {
            const auto s = static_cast<std::size_t>(k);
            const Variable& variable = model.Var(k);
            lower[s] = variable.lowerLimit;
            upper[s] = variable.upperLimit;
            center[s] = variable.center;
            period[s] = variable.period;
            valueUpper[s] = variable.valueUpper;
            kind[s] = variable.kind;
            if (k <= model.lastVar)
                values[s] = variable.values;
        }
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

PerVariable<bool> SpacedFlags(const ProblemModel& model)
{
    PerVariable<bool> spaced{};
    for (int k = 0; k < kMaxVariables; ++k)
        spaced[static_cast<std::size_t>(k)] = model.Var(k).isEquallySpaced;
    return spaced;
}

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
        if (model.Var(k).valuesExplicit && !panels[s].spacedChecked
            && model.Var(k).values.size() < static_cast<std::size_t>(upper) + 1)
            return Refused("The value list of " + which + " holds fewer values than its \"# of values\".");
    }

    const ReadFields before(model);
    const PerVariable<bool> spacedBefore = SpacedFlags(model);
    PerVariable<bool> spaced{};
    for (int k = 0; k <= model.lastVar; ++k) {
        const auto s = static_cast<std::size_t>(k);
        const PanelTexts& panel = panels[s];
        Variable& variable = model.Var(k);
        variable.lowerLimit = LeadingNumber(panel.lowerLimit);
        variable.upperLimit = LeadingNumber(panel.upperLimit);
        variable.valueUpper = ValueUpperFromText(panel.valueCount);
        variable.center = IsStarEntry(panel.center) ? StarCenter(variable.lowerLimit, variable.upperLimit)
                                                    : LeadingNumber(panel.center);
        variable.period = IsStarEntry(panel.period) ? StarPeriod() : LeadingNumber(panel.period);
        variable.kind = panel.powerChecked ? Kind::Polynomial : Kind::Trigonometric;
        variable.isEquallySpaced = panel.spacedChecked;
        spaced[s] = panel.spacedChecked;
    }
    model.RegenerateSpacedValues(spaced);
    for (int k = 0; k <= model.lastVar; ++k) {
        if (!spaced[static_cast<std::size_t>(k)] && !model.Var(k).valuesExplicit)
            model.FillSpacedValues(k);
    }
    if (!before.SameAs(ReadFields(model)))
        model.MarkEdited();
    else if (SpacedFlags(model) != spacedBefore)
        model.MarkChanged();
    return {true, {}};
}

} // namespace tavex
