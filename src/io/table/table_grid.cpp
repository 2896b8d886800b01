#include "io/table/table_grid.h"

#include "model/number_text.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <limits>

namespace tavex {

namespace {

// How many of the points missing or given again a message names.
constexpr std::size_t kPointsNamed = 3;

std::string PointText(const std::vector<std::string>& names, const std::vector<double>& coordinates)
{
    std::string text = "(";
    for (std::size_t k = 0; k < coordinates.size(); ++k) {
        if (k > 0)
            text += ", ";
        text += names[k] + "=" + TextOfNumber(coordinates[k]);
    }
    return text + ")";
}

// "a point is given again: (x=1, y=2)", "5 points are given again: (..), (..), (..), ...".
std::string PointsText(std::size_t count, const char* one, const char* many, const std::vector<std::string>& named)
{
    std::string text = count == 1 ? std::string(one) : std::to_string(count) + " " + many;
    for (std::size_t i = 0; i < named.size(); ++i)
        text += (i == 0 ? ": " : ", ") + named[i];
    return count > named.size() ? text + ", ..." : text;
}

} // namespace

TableGrid::TableGrid(int variables) : variables_(variables)
{
    assert(variables >= 1 && variables <= kMaxVariables);
}

FileOutcome TableGrid::Build(const std::vector<std::string>& names, const std::string& path,
                             ProblemModel& model) const
{
    assert(names.size() == static_cast<std::size_t>(variables_) && PointCount() > 0);
    const auto v = static_cast<std::size_t>(variables_);
    for (std::size_t k = 0; k < v; ++k)
        if (columns_[k].size() < 2)
            return FileOutcome::Failure(path + ": variable " + names[k] + " takes one value only ("
                                        + TextOfNumber(columns_[k].values()[0]) + "); a variable needs at least 2");

    PerVariable<int> upper{};
    std::size_t elements = 1;
    bool fits = true;
    std::string grid;
    for (std::size_t k = 0; k < v; ++k) {
        const std::size_t count = columns_[k].size();
        fits = fits && count <= ProblemModel::MostTableElements() / elements;
        if (fits) {
            elements *= count;
            upper[k] = static_cast<int>(count - 1);
        }
        grid += (k > 0 ? " x " : "") + std::to_string(count);
    }
    ProblemModel fresh;
    fresh.lastVar = variables_ - 1;
    fresh.AllocateVariableArrays();
    if (!fits || !fresh.TryShapeTables(upper))
        return FileOutcome::Failure(path + ": the values of the variables make a grid of " + grid
                                    + " points, too large to hold in memory");

    // Each coordinate's number in its column becomes its share of the offset in the table.
    PerVariable<std::vector<std::size_t>> offsetShare;
    PerVariable<std::vector<double>> ascending;
    for (std::size_t k = 0; k < v; ++k) {
        const std::vector<std::uint32_t> places = columns_[k].AscendingPlaces();
        const std::size_t stride = fresh.funTable.Stride(static_cast<int>(k));
        offsetShare[k].resize(places.size());
        ascending[k].resize(places.size());
        for (std::size_t number = 0; number < places.size(); ++number) {
            offsetShare[k][number] = places[number] * stride;
            ascending[k][places[number]] = columns_[k].values()[number];
        }
    }

    // A NaN marks a point not given yet: no value read from a table is one.
    double* table = fresh.funTable.data();
    std::fill(table, table + fresh.funTable.size(), std::numeric_limits<double>::quiet_NaN());
    std::size_t givenAgain = 0;
    int firstAgainLine = 0;
    std::vector<std::string> named;
    const std::uint32_t* numbers = numbers_.data();
    for (std::size_t p = 0; p < values_.size(); ++p, numbers += v) {
        std::size_t offset = 0;
        for (std::size_t k = 0; k < v; ++k)
            offset += offsetShare[k][numbers[k]];
        if (!std::isnan(table[offset])) {
            if (givenAgain++ == 0)
                firstAgainLine = lines_[p];
            if (named.size() < kPointsNamed) {
                std::vector<double> point(v);
                for (std::size_t k = 0; k < v; ++k)
                    point[k] = columns_[k].values()[numbers[k]];
                named.push_back(PointText(names, point));
            }
            continue;
        }
        table[offset] = values_[p];
    }
    if (givenAgain > 0)
        return FileOutcome::Failure(path + ", line " + std::to_string(firstAgainLine) + ": "
                                    + PointsText(givenAgain, "a point is given again", "points are given again", named));

    std::size_t missing = 0;
    for (std::size_t offset = 0; offset < fresh.funTable.size(); ++offset) {
        if (!std::isnan(table[offset]))
            continue;
        if (missing++ < kPointsNamed) {
            std::vector<double> point(v);
            for (std::size_t k = 0; k < v; ++k) {
                const int dimension = static_cast<int>(k);
                const std::size_t index = offset / fresh.funTable.Stride(dimension)
                                        % static_cast<std::size_t>(fresh.funTable.extent(dimension));
                point[k] = ascending[k][index];
            }
            named.push_back(PointText(names, point));
        }
    }
    if (missing > 0)
        return FileOutcome::Failure(path + ": " + PointsText(missing, "a point of the grid is missing",
                                                                   "points of the grid are missing", named));

    for (int k = 0; k < variables_; ++k) {
        const auto s = static_cast<std::size_t>(k);
        Variable& variable = fresh.Var(k);
        variable.name = names[s];
        variable.valueUpper = upper[s];
        variable.valuesExplicit = true;
        variable.values = ascending[s];
        variable.lowerLimit = ascending[s].front();
        variable.upperLimit = ascending[s].back();
    }
    model = std::move(fresh);
    return FileOutcome::Success();
}

} // namespace tavex
