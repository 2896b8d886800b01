#include "setup/value_count.h"

#include "model/number_text.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace tavex {

namespace {

int ClampToInt(std::int64_t value)
{
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

// The upper indices the count boxes call for; nothing when one of them reads
// fewer than two values.
std::optional<PerVariable<int>> UpperOfCounts(const ProblemModel& model,
                                                const PerVariable<std::string>& countTexts)
{
    PerVariable<int> upper{};
    for (int j = 0; j <= model.lastVar; ++j) {
        const auto s = static_cast<std::size_t>(j);
        upper[s] = ValueUpperFromText(countTexts[s]);
        if (upper[s] < 1)
            return std::nullopt;
    }
    return upper;
}

} // namespace

int ValueUpperFromText(std::string_view text)
{
    return ClampToInt(RoundHalfEven(LeadingNumber(text) - 1.0));
}

CountChange CheckValueCount(const ProblemModel& model, int k, const PerVariable<std::string>& countTexts,
                            int valueUpperBefore, const NumberFormat& format)
{
    assert(k >= 0 && k <= model.lastVar);
    const auto s = static_cast<std::size_t>(k);
    if (!IsNumberInUserFormat(countTexts[s], format) || !(LeadingNumber(countTexts[s]) >= 2.0))
        return CountChange::NotACount;
    if (!IsAcceptableValueCount(countTexts[s], format))
        return CountChange::TablesTooLarge; // more values than any index reaches
    const std::optional<PerVariable<int>> upper = UpperOfCounts(model, countTexts);
    if (!upper)
        return CountChange::NotACount;
    if ((*upper)[s] == valueUpperBefore)
        return CountChange::Unchanged;
    return ProblemModel::TablesFit(*upper) ? CountChange::TablesEmptied : CountChange::TablesTooLarge;
}

CountChange LeaveValueCount(ProblemModel& model, int k, const PerVariable<std::string>& countTexts,
                            int valueUpperBefore)
{
    assert(k >= 0 && k <= model.lastVar);
    const std::optional<PerVariable<int>> upper = UpperOfCounts(model, countTexts);
    if (!upper)
        return CountChange::NotACount;
    const auto s = static_cast<std::size_t>(k);
    if ((*upper)[s] == valueUpperBefore) {
        model.Var(k).valueUpper = (*upper)[s];
        model.Var(k).ResizeValues();
        return CountChange::Unchanged;
    }
    if (!model.TryShapeTables(*upper))
        return CountChange::TablesTooLarge;
    for (int j = 0; j < kMaxVariables; ++j)
        model.Var(j).valueUpper = (*upper)[static_cast<std::size_t>(j)];
    for (int j = 0; j <= model.lastVar; ++j)
        model.Var(j).ResizeValues();
    model.ClearComputed(); // coef is all zero now
    model.MarkEdited();
    return CountChange::TablesEmptied;
}

} // namespace tavex
