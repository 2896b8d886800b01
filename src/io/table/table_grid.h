#pragma once

#include "io/table/distinct_values.h"
#include "io/text/file_outcome.h"
#include "model/problem_model.h"

#include <string>
#include <vector>

namespace tavex {

// The points of a table as they are read, in any order, and the grid they
// make: each variable's values are the distinct values of its coordinate in
// ascending order, and every point of the grid must be given exactly once.
class TableGrid final {
public:
    // variables: 1 to 4.
    explicit TableGrid(int variables);

    int variables() const { return variables_; }
    std::size_t PointCount() const { return values_.size(); }

    // A point of the table: `variables` finite coordinates, its function value
    // (not a NaN) and the line of the file it stands on.
    void Add(const double* coordinates, double value, int line)
    {
        for (int k = 0; k < variables_; ++k)
            numbers_.push_back(columns_[static_cast<std::size_t>(k)].Number(coordinates[k]));
        values_.push_back(value);
        lines_.push_back(line);
    }

    // Makes model the problem these points tabulate: lastVar, the names, each
    // variable's explicit value list (not equally spaced) and limits, and the
    // function table; every variable polynomial with center and period 0.
    // Refused, with model untouched and a message that starts with path: a
    // variable with fewer than 2 values, a grid too large for memory, a point
    // given again (the message names its line), points of the grid missing;
    // up to three such points are named.
    FileOutcome Build(const std::vector<std::string>& names, const std::string& path, ProblemModel& model) const;

private:
    int variables_;
    PerVariable<DistinctValues> columns_;
    std::vector<std::uint32_t> numbers_; // per point, the numbers of its coordinates in their columns
    std::vector<double> values_;
    std::vector<int> lines_;
};

} // namespace tavex
