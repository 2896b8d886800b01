#include "io/table/distinct_values.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <numeric>

namespace tavex {

namespace {

constexpr std::size_t kFirstSlots = 64;

std::size_t SlotOf(double value, std::size_t mask)
{
    // Fibonacci hashing of the bits: the high bits of the product mix all of them.
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(value) * 0x9E3779B97F4A7C15ull;
    return static_cast<std::size_t>(bits >> 32) & mask;
}

} // namespace

// A NaN as the last value: it equals nothing, so the first value always misses.
DistinctValues::DistinctValues() : slots_(kFirstSlots, 0), last_(std::numeric_limits<double>::quiet_NaN()) {}

std::uint32_t DistinctValues::NumberAfterMiss(double value)
{
    if (value == 0.0)
        value = 0.0; // minus zero hashes as zero
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = SlotOf(value, mask);
    while (slots_[slot] != 0) {
        const std::uint32_t number = slots_[slot] - 1;
        if (values_[number] == value) {
            last_ = value;
            lastNumber_ = number;
            return number;
        }
        slot = (slot + 1) & mask;
    }
    const auto number = static_cast<std::uint32_t>(values_.size());
    values_.push_back(value);
    slots_[slot] = number + 1;
    if (values_.size() * 2 > slots_.size())
        Grow();
    last_ = value;
    lastNumber_ = number;
    return number;
}

void DistinctValues::Grow()
{
    slots_.assign(slots_.size() * 2, 0);
    const std::size_t mask = slots_.size() - 1;
    for (std::uint32_t number = 0; number < values_.size(); ++number) {
        std::size_t slot = SlotOf(values_[number], mask);
        while (slots_[slot] != 0)
            slot = (slot + 1) & mask;
        slots_[slot] = number + 1;
    }
}

std::vector<std::uint32_t> DistinctValues::AscendingPlaces() const
{
    std::vector<std::uint32_t> byValue(values_.size());
    std::iota(byValue.begin(), byValue.end(), 0u);
    std::sort(byValue.begin(), byValue.end(), [this](std::uint32_t a, std::uint32_t b) { return values_[a] < values_[b]; });
    std::vector<std::uint32_t> places(values_.size());
    for (std::uint32_t place = 0; place < byValue.size(); ++place)
        places[byValue[place]] = place;
    return places;
}

} // namespace tavex
