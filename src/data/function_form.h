#pragma once

#include "model/problem_model.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavex {

// A point of the grid: the index of each variable's value, 0 beyond lastVar.
using GridPoint = PerVariable<int>;

// The odometer order of the function window: the last variable's index runs
// fastest; after the last point comes the first, before the first the last.
GridPoint NextGridPoint(const ProblemModel& model, GridPoint point);
GridPoint PreviousGridPoint(const ProblemModel& model, GridPoint point);

// The starting set typed for the function window: part k, blanks kept,
// names the index of variable k; further parts are ignored.
struct StartingSet {
    GridPoint point{};
    PerVariable<std::string> parts;
};

// Nothing when the answer must be asked again: fewer parts than variables,
// or a part whose number lies below 0 or above its variable's highest index.
std::optional<StartingSet> ReadStartingSet(const ProblemModel& model, std::string_view answer);

// The function window's boxes as texts, and what a change of each does: the
// window binds its widgets to this, so that the whole behaviour runs, and is
// tested, without them. Every value typed is stored at once.
//
// A change of a box's text runs that box's reaction unless the form is busy
// showing a point; reactions may change other boxes, and so chain, until a
// box is set to the text it already holds. Only a text the user typed is
// stored: moving from point to point, by the index boxes, the "-" and "+"
// buttons or Enter, never writes a value back. Every change of the data is
// an edit of the problem (ProblemModel::MarkEdited).
class FunctionForm final {
public:
    enum class Box { FunIndex, VarIndex, Var, Fun };

    // The set-up for the starting set: the boxes show the point, the index
    // boxes the parts as typed. `point` is the session's funStartIndex: the
    // point shown stays there after the window closes.
    FunctionForm(ProblemModel& model, GridPoint& point, const StartingSet& start);

    const std::string& Text(Box box, int k = 0) const;
    // The user changes a box's text (k: its variable; 0 for the function value).
    void Edit(Box box, int k, std::string text);
    // An index box may be left only while its number lies within its variable's indices.
    bool IndexInRange(Box box, int k) const;

    // The top row's "-" and "+", and Enter in the value box: the previous or
    // next point is shown (the value typed was stored as it was typed).
    void Step(bool forward);
    // Variable k's own "-" and "+": its index moves round its values.
    void StepIndex(int k, bool forward);
    // Stores values at successive points from the one shown, never past the
    // last point, and shows the point after the last one stored (the last
    // point when it was reached). Returns how many were stored.
    int Paste(const std::vector<double>& values);

    // Variable k's value was changed: its "Equally spaced" box must be unticked.
    std::function<void(int k)> onValueEdited;
    // A function value or a variable's value changed: coefficients computed
    // before no longer belong to the data.
    std::function<void()> onDataChanged;

private:
    // Who changed a box: the user, or the form in one of its reactions.
    enum class Origin { User, Window };

    std::string& Slot(Box box, int k);
    void SetText(Box box, int k, std::string text, Origin origin);
    void React(Box box, int k, Origin origin);
    // The index a box names, within its variable's indices.
    int IndexIn(Box box, int k) const;
    void ReadPointFromFunIndices();
    void Store(double& slot, double value);
    void DataChanged();
    void ShowFunPoint();

    ProblemModel& model_;
    GridPoint& point_;
    PerVariable<std::string> funIndex_, varIndex_, var_;
    std::string fun_;
    bool funBusy_ = false;
};

// The numbers of a text copied from a spreadsheet or a list: fields
// separated by line ends, tabs, commas, semicolons or blanks. Nothing unless
// it holds at least two fields and every one is a number.
std::optional<std::vector<double>> PastedNumbers(std::string_view text);

} // namespace tavex
