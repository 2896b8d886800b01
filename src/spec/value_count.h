#pragma once

#include "model/problem_model.h"

#include <string>
#include <string_view>

namespace tavex {

// A count box's number minus one, rounded to the nearest integer with ties
// to the even one ("2.5" gives 2), clamped to the int range.
int ValueUpperFromText(std::string_view text);

// Shapes both tables when the panels are created: dimension k (up to
// lastVar) runs 0..n_k, n_k being the number in variable k's count box
// rounded to the nearest integer (ties to even, at least 0); the others have
// index 0 only. Throws as ProblemModel::ShapeTables.
void ShapeTablesFromCountBoxes(ProblemModel& model, const PerVariable<std::string>& countTexts);

enum class CountChange {
    Unchanged,      // same count as when the box got the focus: tables kept
    TablesEmptied,  // valueUpper(k) set, both tables re-created empty; clear the results
    TablesTooLarge, // the tables would not fit in memory: nothing changed
    NotACount,      // fewer than two values (the box's check was bypassed): nothing changed
};

// The count box of variable k loses the focus: valueUpper(k) follows its
// text at once, and a changed count empties both tables (every function value
// of every variable is lost). The re-created tables take every variable's
// extent from its own count box (countTexts, 0..lastVar), and valueUpper
// follows each of them, so that the tables agree with the counts the next
// ReadSpecs reads even for boxes that were never visited.
CountChange LeaveValueCount(ProblemModel& model, int k, const PerVariable<std::string>& countTexts,
                            int valueUpperBefore);

} // namespace tavex
