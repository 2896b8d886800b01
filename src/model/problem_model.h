#pragma once

#include "model/per_variable.h"
#include "model/table4.h"
#include "model/variable.h"

#include <array>
#include <cassert>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavex {

// What the coefficients are worth: none computed, computed for the problem
// as it stands, or computed before something they depend on changed.
enum class Results { None, Current, OutOfDate };

// The one problem of a run, what is saved and computed: how many variables
// there are and what each one is, the values tabulated for each, the
// function values on their grid and the coefficients. What the windows and
// the run keep besides lives in the Session. The main window owns the only
// instance; everything else works on it by reference.
struct ProblemModel {
    int lastVar = 0; // number of variables minus one, 0..3

    // Slots beyond lastVar hold no variable: count 0, no name.
    PerVariable<Variable> variables;

    Variable& Var(int k) { return variables[Slot(k)]; }
    const Variable& Var(int k) const { return variables[Slot(k)]; }

    // --- tables: function values at the grid points, and the coefficients ---
    Table4 funTable;
    Table4 coef;

    // --- what the coefficients belong to, and what was saved ---
    // The coefficients carry the revision of the variables and the table they
    // were solved from, so "out of date" is a comparison, not a flag every
    // edit must remember to clear.

    // isComputed: coef holds the coefficients of the problem as it stands, to
    // be listed, evaluated, saved and exported.
    bool IsComputed() const { return ResultsState() == Results::Current; }
    Results ResultsState() const;
    // coef now holds the coefficients of the problem as it stands.
    void SetComputed() { solvedRevision_ = revision_; }
    // coef holds no coefficients.
    void ClearComputed() { solvedRevision_.reset(); }
    // The one step of every edit of what the coefficients depend on (a
    // variable's kind, limits, center, period, count or values, a function
    // value): coefficients computed before are out of date from now on, and
    // the problem is modified.
    void MarkEdited()
    {
        ++revision_;
        ++changes_;
    }
    // A change of what the files keep but the coefficients do not depend on
    // (the names, whether a list is equally spaced or kept value by value):
    // the problem is modified, its coefficients stay what they were.
    void MarkChanged() { ++changes_; }
    std::uint64_t Revision() const { return revision_; }

    // Whether the problem changed, or was computed, since it was opened,
    // imported or saved (MarkSaved).
    bool IsModified() const { return savedAs_ != SavedState{changes_, solvedRevision_}; }
    void MarkSaved() { savedAs_ = {changes_, solvedRevision_}; }

    // Gives every variable fresh fields of 0, false, polynomial or empty
    // text; the value lists stay as they are.
    void AllocateVariableArrays();

    bool IsTrigonometric(int k) const { return Var(k).IsTrigonometric(); }
    // The name of variable k; empty when it has none yet.
    std::string_view NameOf(int k) const { return Var(k).name; }
    // The names of the variables 0..lastVar.
    std::vector<std::string> Names() const;
    // The upper index of every dimension in use: valueUpper up to lastVar, 0 beyond.
    PerVariable<int> UpperIndices() const;
    // Every slot's valueUpper, as the tables are shaped from the counts.
    PerVariable<int> ValueUppers() const;

    // The most values each table may hold: both together stay within their
    // share of the machine's memory (MemoryShareBytes).
    static std::size_t MostTableElements();
    // Whether both tables with these upper indices stay within that share.
    static bool TablesFit(const PerVariable<int>& upper);
    // Re-creates funTable and coef together, every element 0, dimension k
    // running 0..upper[k]. Throws std::length_error when the tables do not fit
    // (nothing is asked of the system then), std::bad_alloc when memory runs
    // out; either way both tables are unchanged.
    void ShapeTables(const PerVariable<int>& upper);
    // ShapeTables, false instead of the exceptions: the tables do not fit or
    // memory ran out, and nothing changed.
    bool TryShapeTables(const PerVariable<int>& upper);
    // The same with valueUpper as the upper indices.
    void ShapeTablesFromValueCounts() { ShapeTables(ValueUppers()); }

    // Var(k).FillSpacedValues().
    void FillSpacedValues(int k) { Var(k).FillSpacedValues(); }
    // FillSpacedValues for each variable 0..lastVar whose "Equally spaced" box is checked.
    void RegenerateSpacedValues(const PerVariable<bool>& spacedChecked);

private:
    struct SavedState {
        std::uint64_t changes = 0;
        std::optional<std::uint64_t> solved;
        friend bool operator==(const SavedState&, const SavedState&) = default;
    };

    static std::size_t Slot(int k)
    {
        assert(k >= 0 && k < kMaxVariables);
        return static_cast<std::size_t>(k);
    }

    std::uint64_t revision_ = 0;
    std::uint64_t changes_ = 0; // every change the files would keep, MarkEdited's too
    std::optional<std::uint64_t> solvedRevision_;
    SavedState savedAs_;
};

} // namespace tavex
