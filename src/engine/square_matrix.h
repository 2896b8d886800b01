#pragma once

#include <cassert>
#include <cstddef>
#include <vector>

namespace tavex {

// A dense square matrix of doubles, row-major, created all zeros.
class SquareMatrix final {
public:
    explicit SquareMatrix(int order)
        : order_(order), values_(static_cast<std::size_t>(order) * static_cast<std::size_t>(order), 0.0)
    {
        assert(order >= 1);
    }

    int order() const { return order_; }

    double& operator()(int row, int column) { return values_[Index(row, column)]; }
    double operator()(int row, int column) const { return values_[Index(row, column)]; }

    double* Row(int row) { return values_.data() + Index(row, 0); }
    const double* Row(int row) const { return values_.data() + Index(row, 0); }

private:
    std::size_t Index(int row, int column) const
    {
        assert(row >= 0 && row < order_ && column >= 0 && column < order_);
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(order_) + static_cast<std::size_t>(column);
    }

    int order_;
    std::vector<double> values_;
};

} // namespace tavex
