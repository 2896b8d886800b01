#pragma once

#include <string>
#include <string_view>

namespace tavex {

// Appends text as a JSON string. Names are bytes from a file: UTF-8 passes as
// it is, any other byte above 127 is read as Latin-1, so that the document is
// valid whatever they hold.
void AppendJsonString(std::string& out, std::string_view text);

} // namespace tavex
