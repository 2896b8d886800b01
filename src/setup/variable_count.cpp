#include "setup/variable_count.h"

#include "model/number_text.h"

#include <algorithm>
#include <limits>

namespace tavex {

std::optional<int> LastVarOfCount(std::string_view text)
{
    const double v = LeadingNumber(text);
    // Below 0.5 the count rounds to zero variables; 0.5 itself is a tie that
    // goes to the even lastVar 0, one variable.
    if (!(v >= 0.5) || v > kMaxVariables)
        return std::nullopt;
    const auto lastVar = static_cast<int>(RoundHalfEven(v - 1.0));
    if (lastVar >= kMaxVariables)
        return std::nullopt;
    return lastVar;
}

namespace {

// The upper index of every dimension of the tables for the panels: the
// number in the first panel's count box, rounded, on each variable's dimension.
PerVariable<int> TableUpperForPanels(int lastVar, std::string_view firstValueCountText)
{
    const std::int64_t n = std::clamp<std::int64_t>(IndexFromText(firstValueCountText), 0,
                                                    std::numeric_limits<int>::max());
    PerVariable<int> upper{};
    for (int k = 0; k <= lastVar; ++k)
        upper[static_cast<std::size_t>(k)] = static_cast<int>(n);
    return upper;
}

} // namespace

CountConfirmation CheckVariableCount(std::string_view countText, std::string_view firstValueCountText)
{
    const std::optional<int> lastVar = LastVarOfCount(countText);
    if (!lastVar)
        return CountConfirmation::NotACount;
    return ProblemModel::TablesFit(TableUpperForPanels(*lastVar, firstValueCountText))
             ? CountConfirmation::Confirmed
             : CountConfirmation::TablesTooLarge;
}

CountConfirmation ConfirmVariableCount(ProblemModel& model, std::string_view countText,
                                       std::string_view firstValueCountText)
{
    const std::optional<int> lastVar = LastVarOfCount(countText);
    if (!lastVar)
        return CountConfirmation::NotACount;
    // The tables first: when they cannot be had, nothing has changed.
    if (!model.TryShapeTables(TableUpperForPanels(*lastVar, firstValueCountText)))
        return CountConfirmation::TablesTooLarge;
    model.lastVar = *lastVar;
    model.AllocateVariableArrays();
    model.ClearComputed();
    model.MarkEdited();
    return CountConfirmation::Confirmed;
}

} // namespace tavex
