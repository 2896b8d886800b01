#include "setup/overview.h"

#include "model/number_text.h"
#include "model/star_value.h"

#include <cassert>

namespace tavex {

namespace {

std::string WithStar(const std::string& text, double standsFor)
{
    return IsStarEntry(text) ? "* = " + TextOfNumber(standsFor) : text;
}

} // namespace

std::vector<OverviewRow> OverviewRows(const ProblemModel& model, const Panels& panels, int count)
{
    assert(count >= 0 && count <= kMaxVariables);
    std::vector<OverviewRow> rows;
    for (int k = 0; k < count; ++k) {
        const PanelTexts& panel = panels[static_cast<std::size_t>(k)];
        const double lower = LeadingNumber(panel.lowerLimit), upper = LeadingNumber(panel.upperLimit);
        rows.push_back({std::string(model.NameOf(k)), panel.powerChecked ? "Power" : "Trigonometric",
                        panel.lowerLimit, panel.upperLimit, WithStar(panel.center, StarCenter(lower, upper)),
                        panel.powerChecked ? std::string() : WithStar(panel.period, StarPeriod()), panel.valueCount});
    }
    return rows;
}

} // namespace tavex
