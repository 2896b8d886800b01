#pragma once

#include "model/problem_model.h"

#include <functional>
#include <string_view>

namespace tavex {

// Receives the report one line at a time, without a line end; a printer lays
// them on pages, a command line writes them out. The lines keep their blanks.
using LineSink = std::function<void(std::string_view line)>;

// Where "FUNCTION=" begins on a data line (0-based), and the blanks after the
// value text that it is laid over, never beyond.
inline constexpr std::size_t kFunctionColumn = 39;
inline constexpr std::size_t kDataLinePadding = 70;

// One block per variable, every label ending in a colon in column 20:
//   (empty line)
//              VARIABLE: x
//                  TYPE: POLYNOMIAL
//            # OF TERMS: 3
//              INTERVAL: [ 0 , 1 ]
//   CENTER OF EXPANSION: 0.5
//                PERIOD: 6.28318530717959     (trigonometric variables only)
// Numbers are printed numbers: a blank before unless negative, one after.
void PrintVariableBlocks(const ProblemModel& model, const LineSink& sink);

// An empty line, "COEFFICIENTS:", an empty line, then the coefficient lines
// of the listing in the same order and with the same empty lines.
void PrintCoefficients(const ProblemModel& model, const LineSink& sink);

// An empty line, "DATA:", an empty line, then the grid as a tree, variable 3
// outermost: a header "name=value" per value of variables 3, 2 and 1 (indented
// by 0, 1 and 2 blanks, only for variables that exist), and per value of
// variable 0 the line "   name=value" padded with 70 blanks, "FUNCTION=" and
// the function value laid over it from column 40. An empty line closes each
// run of variable 0, another each run of variable 1, another each of variable 2.
void PrintData(const ProblemModel& model, const LineSink& sink);

// The whole report: the variable blocks, then the coefficients when the model
// holds them, otherwise the data.
void PrintReport(const ProblemModel& model, const LineSink& sink);

} // namespace tavex
