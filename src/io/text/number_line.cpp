#include "io/text/number_line.h"

#include "model/number_text.h"

namespace tavex {

void AppendPrintedNumber(std::string& out, double value)
{
    char buffer[kMaxNumberText + 2];
    // The sign decides from the text, so that -0, which is written "0", gets its blank.
    const int length = WriteNumberText(value, buffer + 1);
    const bool negative = buffer[1] == '-';
    if (!negative)
        buffer[0] = ' ';
    buffer[length + 1] = ' ';
    out.append(negative ? buffer + 1 : buffer, static_cast<std::size_t>(negative ? length + 1 : length + 2));
}

void AppendNumberLine(std::string& out, double value)
{
    AppendPrintedNumber(out, value);
    out += kLineEnd;
}

} // namespace tavex
