#pragma once

#include <functional>
#include <string_view>

namespace tavex {

// Receives a text a piece at a time, in order: a file is written out as it is
// laid out, never held whole.
using TextSink = std::function<void(std::string_view piece)>;

} // namespace tavex
