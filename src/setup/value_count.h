#pragma once

#include "model/problem_model.h"
#include "setup/field_checks.h"

#include <string>
#include <string_view>

namespace tavex {

// A count box's number minus one, rounded to the nearest integer with ties
// to the even one ("2.5" gives 2), clamped to the int range.
int ValueUpperFromText(std::string_view text);

enum class CountChange {
    Unchanged,      // same count as when the box got the focus: tables kept
    TablesEmptied,  // valueUpper set, both tables re-created empty; clear the results
    TablesTooLarge, // the tables would not fit in their share of memory: nothing changed
    NotACount,      // fewer than two values, or not a number: nothing changed
};

// The check of variable k's count box before the focus leaves it: the text
// must be a count of at least two values (IsAcceptableValueCount), and the
// tables that the counts of every box (countTexts, 0..lastVar) call for must
// fit. Unchanged when it passes and names the same count as valueUpperBefore;
// TablesEmptied when it passes with another count; nothing changes here.
CountChange CheckValueCount(const ProblemModel& model, int k, const PerVariable<std::string>& countTexts,
                            int valueUpperBefore, const NumberFormat& format);

// The count box of variable k loses the focus: valueUpper(k) follows its
// text at once, and a changed count empties both tables (every function value
// of every variable is lost). The re-created tables take every variable's
// extent from its own count box (countTexts, 0..lastVar), and valueUpper
// follows each of them, so that the tables agree with the counts the next
// ReadSpecs reads even for boxes that were never visited. A value list
// shorter than its new count is lengthened with zeros; an equally spaced
// list is generated anew before it is read.
CountChange LeaveValueCount(ProblemModel& model, int k, const PerVariable<std::string>& countTexts,
                            int valueUpperBefore);

} // namespace tavex
