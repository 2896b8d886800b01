#pragma once

#include "data/function_form.h"
#include "model/problem_model.h"
#include "setup/panel_texts.h"
#include "setup/session.h"

#include <functional>
#include <optional>
#include <string>

namespace tavex::command {

// What a window shows after a command on variable k's value list.
struct ValueListResult {
    std::string refusal;         // why nothing (more) was done, for a message box
    bool spacedUnchecked = false; // the variable's "Equally spaced" box is to be unticked
    bool becameExplicit = false; // the list is kept value by value now: its count box closes
    bool listCleared = false;    // the coefficients no longer belong to the data
    bool showGrid = false;       // open the values grid on variable k
    std::string countText;       // what the count box of variable k shows now
};

// "Edit values" on variable k: ReadSpecs; curVar = k; a list not yet kept
// value by value takes its equally spaced values and is kept so from now on.
// The window unticks k's "Equally spaced" box and opens the grid.
ValueListResult EditValues(ProblemModel& model, Session& session, const Panels& panels, int k);

// "Add values" on variable k: ReadSpecs; curVar = k; `ask` gives the answer
// to "How many additional values...". Its leading number, rounded (a
// negative one counts as 0), is how many; none adds nothing. Otherwise the
// list is kept value by value, the function table re-laid so that every
// value keeps its grid point, the new values and function values 0, and the
// results cleared: coef is all zero now.
ValueListResult AddValues(ProblemModel& model, Session& session, const Panels& panels, int k,
                          const std::function<std::string()>& ask);

// Delete in the values grid: row `row` of variable k takes the last value,
// the function table follows, the list loses its last value; coefficients
// computed before are out of date. Nothing when two values are left. The
// text the row shows now.
std::optional<std::string> DeleteValue(ProblemModel& model, int k, int row, ValueListResult& result);

enum class StartAnswer { Start, AskAgain, Cancelled, Refused };

// "Edit function" with the starting set the user typed: ReadSpecs (Refused,
// with its reason, when the panels cannot be read), then the set is read
// (asked again when it names no grid point; an empty answer ends the
// command), every list not kept value by value takes its equally spaced
// values. The window then closes every count box and opens.
StartAnswer ReviewFunction(ProblemModel& model, const Panels& panels, const std::string& answer,
                           StartingSet& start, std::string& refusal);

} // namespace tavex::command
