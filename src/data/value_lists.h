#pragma once

#include "model/problem_model.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavex {

// The values grid window's edits of variable k's list, as plain steps over
// the problem. Each change is an edit of the problem (ProblemModel::MarkEdited).

// A cell's text stored as the value of its row: its leading number, 0 for a
// text that does not begin with one. True when the stored value changed.
bool StoreGridEntry(ProblemModel& model, int k, int row, std::string_view text);

// Values pasted from row `row` on, never past the last row. Returns how many rows took one.
int PasteIntoList(ProblemModel& model, int k, int row, const std::vector<double>& values);

// Delete of row `row`: the last value moves into it (by its standard text,
// which the row then shows), the function values at the last index of
// variable k move to index `row` for every other index, and the list loses
// its last value. Refused, with nothing changed, when only two values are
// left: a variable needs two. Returns the text the row shows, or nothing.
std::optional<std::string> DeleteListValue(ProblemModel& model, int k, int row);

} // namespace tavex
