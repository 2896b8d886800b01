#pragma once

#include "model/problem_model.h"
#include "setup/field_checks.h"

#include <string>
#include <string_view>

namespace tavex {

// Why a field's check refuses its text, in one line for the window's message
// line ("Lower limit: 'abc' is not a number"); empty when the check accepts
// it. The checks themselves stay where they are: these only put their
// verdicts in words.

// The variable-count box: one to four variables.
std::string VariableCountRefusal(std::string_view text);
// The names box, for a problem of lastVar + 1 variables.
std::string NamesRefusal(int lastVar, std::string_view text);
// A limit box; label is its caption without the colon ("Lower limit").
std::string LimitRefusal(std::string_view label, std::string_view text, const NumberFormat& format);
// A "# of values" box: a number of at least two.
std::string ValueCountRefusal(std::string_view text, const NumberFormat& format);
// An index box of the function window for variable `name`, whose indices run 0..upper.
std::string IndexRefusal(std::string_view name, std::string_view text, int upper);

} // namespace tavex
