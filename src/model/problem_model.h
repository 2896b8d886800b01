#pragma once

#include "model/table4.h"

#include <array>
#include <cassert>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavex {

inline constexpr int kMaxVariables = 4;

// Four slots, one per variable; slots beyond lastVar stay 0, false or empty.
template <typename T>
using PerVariable = std::array<T, kMaxVariables>;

// What the coefficients are worth: none computed, computed for the problem
// as it stands, or computed before something they depend on changed.
enum class Results { None, Current, OutOfDate };

// How a variable is expanded: in powers of (x - center), or in 1 and the sines
// and cosines of the multiples of its angle 2 pi (x - center) / period.
enum class Kind { Polynomial, Trigonometric };

// The one problem of a run, what is saved and computed: how many variables
// there are and what each one is, the values tabulated for each, the
// function values on their grid and the coefficients. What the windows and
// the run keep besides lives in the Session. The main window owns the only
// instance; everything else works on it by reference.
struct ProblemModel {
    ProblemModel();

    int lastVar = 0; // number of variables minus one, 0..3

    // --- per variable ---
    // At least lastVar + 1 entries, empty until names are given; exactly
    // lastVar + 1 once they are accepted or read from a file.
    std::vector<std::string> varName;
    PerVariable<Kind> kind{};
    PerVariable<bool> isEquallySpaced{};
    PerVariable<double> lowerLimit{};
    PerVariable<double> upperLimit{};
    PerVariable<int> valueUpper{};       // number of values minus one
    PerVariable<double> center{};
    PerVariable<double> period{};
    PerVariable<double> valueStep{};     // (upper - lower) / valueUpper
    PerVariable<bool> valuesExplicit{};  // the list was entered or read value by value
    PerVariable<int> storedValueUpper{}; // the count as the data file holds it

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

    // Gives every per-variable array four fresh slots of 0, false, polynomial
    // or empty text.
    void AllocateVariableArrays();

    bool IsTrigonometric(int k) const { return kind[Slot(k)] == Kind::Trigonometric; }
    // The name of variable k; empty when it has none yet.
    std::string_view NameOf(int k) const
    {
        return Slot(k) < varName.size() ? std::string_view(varName[Slot(k)]) : std::string_view();
    }
    // The upper index of every dimension in use: valueUpper up to lastVar, 0 beyond.
    std::array<int, 4> UpperIndices() const;

    // The most values each table may hold: both together stay within their
    // share of the machine's memory (MemoryShareBytes).
    static std::size_t MostTableElements();
    // Whether both tables with these upper indices stay within that share.
    static bool TablesFit(const std::array<int, 4>& upper);
    // Re-creates funTable and coef together, every element 0, dimension k
    // running 0..upper[k]. Throws std::length_error when the tables do not fit
    // (nothing is asked of the system then), std::bad_alloc when memory runs
    // out; either way both tables are unchanged.
    void ShapeTables(const std::array<int, 4>& upper);
    // ShapeTables, false instead of the exceptions: the tables do not fit or
    // memory ran out, and nothing changed.
    bool TryShapeTables(const std::array<int, 4>& upper);
    // The same with valueUpper as the upper indices.
    void ShapeTablesFromValueCounts() { ShapeTables(valueUpper); }

    // Value lists. ix outside 0..3 reads 0 and stores nothing; an index outside
    // the list's storage is a programming error.
    double GetVarX(int ix, int i) const;
    void SetVarX(int ix, int i, double x);
    // Makes list ix exactly valueUpper(ix) + 1 long; kept values stay, new ones are 0.
    void ResizeVarX(int ix);
    // ResizeVarX(k), then value i = i * valueStep(k) + lowerLimit(k).
    void FillSpacedValues(int k);
    // FillSpacedValues for each variable 0..lastVar whose "Equally spaced" box is checked.
    void RegenerateSpacedValues(const PerVariable<bool>& spacedChecked);

    // The whole list of a variable, for the code that reads it by the thousand.
    const std::vector<double>& VarX(int ix) const { return varX_[Slot(ix)]; }

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

    PerVariable<std::vector<double>> varX_;
    std::uint64_t revision_ = 0;
    std::uint64_t changes_ = 0; // every change the files would keep, MarkEdited's too
    std::optional<std::uint64_t> solvedRevision_;
    SavedState savedAs_;
};

} // namespace tavex
