#pragma once

#include "model/table4.h"

#include <array>
#include <cassert>
#include <string>
#include <vector>

namespace tavex {

inline constexpr int kMaxVariables = 4;

// Four slots, one per variable; slots beyond lastVar stay 0, false or empty.
template <typename T>
using PerVariable = std::array<T, kMaxVariables>;

// The one problem of a run: how many variables there are and what each one
// is, the values tabulated for each, the function values on their grid and the
// coefficients. The main window owns the only instance; everything else works
// on it by reference.
struct ProblemModel {
    ProblemModel();

    // --- scalars ---
    int lastVar = 0;           // number of variables minus one, 0..3
    bool isComputed = false;   // coef holds the coefficients of the current data
    bool isOpening = false;    // a problem file is being read into the window
    int curVarNo = 1;          // 1-based number of the panel shown
    int curVar = 0;            // variable of the last per-variable value command
    double piValue;            // 4 atan(1)
    std::string startDir;      // working directory at start-up
    std::string problemFile;   // full path of the problem file, empty until named
    std::string savedDecimalSep;
    std::string termText;      // the coefficient line last built

    // --- per variable ---
    // At least lastVar + 1 entries, empty until names are given; exactly
    // lastVar + 1 once they are accepted or read from a file.
    std::vector<std::string> varName;
    PerVariable<bool> isPolynomial{};
    PerVariable<bool> isTrigonometric{};
    PerVariable<bool> isEquallySpaced{};
    PerVariable<double> lowerLimit{};
    PerVariable<double> upperLimit{};
    PerVariable<int> valueUpper{};    // number of values minus one
    PerVariable<double> center{};
    PerVariable<double> period{};
    PerVariable<double> valueStep{};  // (upper - lower) / valueUpper
    PerVariable<bool> valuesExplicit{};
    PerVariable<int> valuesAdded{};
    PerVariable<int> funStartIndex{};
    PerVariable<int> funIndexLeft{};  // designed positions of the function window's index boxes
    PerVariable<int> funCommaLeft{};  // and of the commas between them
    PerVariable<int> storedValueUpper{};
    PerVariable<int> termIndex{};
    PerVariable<double> evalX{};
    PerVariable<double> evalDx{};
    PerVariable<double> evalAngle{};

    // --- tables: function values at the grid points, and the coefficients ---
    Table4 funTable;
    Table4 coef;

    // Gives every per-variable array four fresh slots of 0, false or empty text.
    void AllocateVariableArrays();

    // Whether both tables with these upper indices stay within their share
    // of the machine's memory: half of it for the two together, so that the
    // solve, the files and the rest of the system keep room to work.
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
    const std::vector<double>& VarX(int ix) const
    {
        assert(ix >= 0 && ix < kMaxVariables);
        return varX_[static_cast<std::size_t>(ix)];
    }

private:
    PerVariable<std::vector<double>> varX_;
};

} // namespace tavex
