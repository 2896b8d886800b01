#pragma once

#include <cstdint>
#include <vector>

namespace tavex {

// The distinct values met in one column of a table, numbered in the order
// they are first met. A column of millions of rows holds a few dozen values,
// usually in runs, so the value met last is tried before the hash table.
// Zero and minus zero are one value, zero.
class DistinctValues final {
public:
    DistinctValues();

    // The number of the value, numbering it when it is new.
    std::uint32_t Number(double value)
    {
        if (value == last_)
            return lastNumber_;
        return NumberAfterMiss(value);
    }

    std::size_t size() const { return values_.size(); }
    // The values by their numbers.
    const std::vector<double>& values() const { return values_; }
    // For each number, the place of its value among the values in ascending order.
    std::vector<std::uint32_t> AscendingPlaces() const;

private:
    std::uint32_t NumberAfterMiss(double value);
    void Grow();

    std::vector<double> values_;
    std::vector<std::uint32_t> slots_; // number + 1 of the value hashed there; 0: free
    double last_;
    std::uint32_t lastNumber_ = 0;
};

} // namespace tavex
