#pragma once

#include <cassert>
#include <cstddef>
#include <string>
#include <vector>

namespace tavex {

// How a variable is expanded: in powers of (x - center), or in 1 and the sines
// and cosines of the multiples of its angle 2 pi (x - center) / period.
enum class Kind { Polynomial, Trigonometric };

// One variable of the problem: what the panel and the files say of it, and
// the values tabulated for it.
struct Variable {
    std::string name; // empty until names are given
    Kind kind = Kind::Polynomial;
    bool isEquallySpaced = false;
    double lowerLimit = 0.0;
    double upperLimit = 0.0;
    int valueUpper = 0; // number of values minus one
    double center = 0.0;
    double period = 0.0;
    // The value list; at least valueUpper + 1 long once the count is confirmed.
    std::vector<double> values = std::vector<double>(1, 0.0);
    bool valuesExplicit = false; // the list was entered or read value by value
    int storedValueUpper = 0;    // the count as the data file holds it

    bool IsTrigonometric() const { return kind == Kind::Trigonometric; }
    // The distance of equally spaced values.
    double Step() const { return (upperLimit - lowerLimit) / valueUpper; }

    // An index outside the list's storage is a programming error.
    double Value(int i) const { return values[Index(i)]; }
    void SetValue(int i, double x) { values[Index(i)] = x; }
    // Makes the list exactly valueUpper + 1 long; kept values stay, new ones are 0.
    void ResizeValues()
    {
        assert(valueUpper >= 0);
        values.resize(static_cast<std::size_t>(valueUpper) + 1, 0.0);
    }
    // ResizeValues, then value i = i * Step() + lowerLimit.
    void FillSpacedValues();

private:
    std::size_t Index(int i) const
    {
        assert(i >= 0 && static_cast<std::size_t>(i) < values.size());
        return static_cast<std::size_t>(i);
    }
};

} // namespace tavex
