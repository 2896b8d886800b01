#pragma once

#include <string_view>

namespace tavex {

// The value of a number field: its leading number, 0 when it holds none; and
// the words "inf", "-inf" and "nan", which are how a value that is not finite
// is written, read back as that value so that a save and an open keep it.
double NumberFromField(std::string_view field);

} // namespace tavex
