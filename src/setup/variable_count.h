#pragma once

#include "model/problem_model.h"

#include <optional>
#include <string_view>

namespace tavex {

// The check of the variable-count box: lastVar for a text whose leading
// number v rounds to one to four variables (lastVar = v - 1, ties to even);
// nothing for v <= 0, v > 4 and 0 < v < 0.5, which would round to no variable.
std::optional<int> LastVarOfCount(std::string_view text);

enum class CountConfirmation {
    Confirmed,
    NotACount,      // the text gives no count of one to four variables
    TablesTooLarge, // the panels' counts make tables beyond their share of memory
};

// The check of the variable-count box before the focus leaves it: what
// ConfirmVariableCount would answer, with nothing changed.
CountConfirmation CheckVariableCount(std::string_view countText, std::string_view firstValueCountText);

// The variable-count box is left with its text accepted: lastVar is set,
// every per-variable array gets four fresh slots, and both tables are shaped
// for the panels about to be created, all in one step or, when refused, not
// at all. Every new panel is a copy of the first, so dimension k (up to
// lastVar) runs 0..n, n being the number in the first panel's count box
// rounded (ties to even, at least 0); the other dimensions have index 0 only.
CountConfirmation ConfirmVariableCount(ProblemModel& model, std::string_view countText,
                                       std::string_view firstValueCountText);

} // namespace tavex
