#include "spec/value_count.h"

#include "model/number_text.h"

#include <algorithm>
#include <limits>
#include <new>
#include <stdexcept>

namespace tavex {

namespace {

int ClampToInt(std::int64_t value)
{
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

} // namespace

int ValueUpperFromText(std::string_view text)
{
    return ClampToInt(RoundHalfEven(LeadingNumber(text) - 1.0));
}

void ShapeTablesFromCountBoxes(ProblemModel& model, const PerVariable<std::string>& countTexts)
{
    std::array<int, 4> upper{};
    for (int k = 0; k <= model.lastVar; ++k) {
        const auto s = static_cast<std::size_t>(k);
        upper[s] = std::max(0, ClampToInt(IndexFromText(countTexts[s])));
    }
    model.ShapeTables(upper);
}

CountChange LeaveValueCount(ProblemModel& model, int k, const PerVariable<std::string>& countTexts,
                            int valueUpperBefore)
{
    assert(k >= 0 && k <= model.lastVar);
    PerVariable<int> upper{};
    for (int j = 0; j <= model.lastVar; ++j) {
        const auto s = static_cast<std::size_t>(j);
        upper[s] = ValueUpperFromText(countTexts[s]);
        if (upper[s] < 1)
            return CountChange::NotACount;
    }
    const auto s = static_cast<std::size_t>(k);
    if (upper[s] == valueUpperBefore) {
        model.valueUpper[s] = upper[s];
        return CountChange::Unchanged;
    }
    try {
        model.ShapeTables(upper);
    } catch (const std::bad_alloc&) {
        return CountChange::TablesTooLarge;
    } catch (const std::length_error&) {
        return CountChange::TablesTooLarge;
    }
    model.valueUpper = upper;
    return CountChange::TablesEmptied;
}

} // namespace tavex
