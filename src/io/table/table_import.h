#pragma once

#include "io/text/file_outcome.h"
#include "io/problem/problem_file_reader.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tavex {

// What the user says of the variables of a table, by their names: those to
// expand in sines and cosines (the others are polynomial), and centers and
// periods as a panel takes them, "*" or a number (missing ones are "*").
// A name given twice keeps its last entry.
struct TableImportOptions {
    std::vector<std::string> trigonometric{};
    std::map<std::string, std::string> centers{};
    std::map<std::string, std::string> periods{};
};

// Reads a table of function values into a new problem: imported.model holds
// lastVar, the names, each variable's values as an explicit list (not
// equally spaced) with its smallest and largest value as the limits, the
// kinds, centers and periods, and the function table; isComputed false.
// imported.entries holds the center and period texts, "*" unless given.
//
// The text: rows of fields, separated by semicolons, commas, tabs or blanks
// (delimited_text.h tells how they are found and quoted), "." as the decimal
// point. Two layouts, told apart by the first row:
//  - block, a two-variable table as a spreadsheet holds it: a first row
//    whose first field is empty or not a number and whose other fields are
//    all numbers, the values of y; below it, rows as long as it of a value of
//    x and the function values at it. The variables are x and y;
//  - long, one row per grid point: the coordinates of 1 to 4 variables, then
//    the function value. A first row of fields that are all no numbers is a
//    header naming the variables (its last field names the function and is
//    not used); without one the variables are x, y, z, w.
// A first row that is neither all numbers nor either of these is refused.
// A variable's values are the distinct values of its coordinate in ascending
// order, and every point of their grid must be given exactly once.
//
// Refused, with imported untouched and a message naming the file, and the
// line where one is at fault: a file that cannot be read or holds no row; a
// field that is not a number or not within the range of a double; a row
// longer or shorter than the first; more than 4 coordinates; a header name
// that is empty, given twice, or holds a comma or a double quote; a table
// with no row below its first; a variable with fewer than 2 values; a grid
// too large for the tables' share of memory; points given again or missing
// (up to three named, as "(x=1, y=2)"); an option that names no variable of
// the table, or whose center or period is neither "*" nor a number.
FileOutcome ReadTable(const std::string& path, const TableImportOptions& options, OpenedProblem& imported);

// The same on the text of the file; path only names it in messages.
FileOutcome ParseTable(std::string_view text, const std::string& path, const TableImportOptions& options,
                       OpenedProblem& imported);

} // namespace tavex
