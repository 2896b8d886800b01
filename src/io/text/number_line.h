#pragma once

#include <string>

namespace tavex {

// The line end of every file this program writes.
inline constexpr char kLineEnd[] = "\r\n";

// A printed number: the standard text of the value with one blank before it
// unless it is negative, and one blank after it (" 3 ", "-1.5 ").
void AppendPrintedNumber(std::string& out, double value);

// A number line: a printed number alone on a line, ended by CR LF.
void AppendNumberLine(std::string& out, double value);

} // namespace tavex
