#pragma once

#include <string>

namespace tavex {

// "-0.5" for a center of 0.5, "+1.5" for -1.5, nothing for 0: what follows the
// variable's name in a term.
std::string CenterPart(double center);

} // namespace tavex
