#include "io/text/comma_record.h"

#include "io/text/number_line.h"
#include "model/number_text.h"

#include <cassert>

namespace tavex {

bool FitsQuotedField(std::string_view text)
{
    return text.find_first_of("\"\r\n") == std::string_view::npos;
}

void CommaRecord::Separate()
{
    if (!first_)
        out_ += ',';
    first_ = false;
}

CommaRecord& CommaRecord::Text(std::string_view text)
{
    assert(FitsQuotedField(text));
    Separate();
    out_ += '"';
    out_ += text;
    out_ += '"';
    return *this;
}

CommaRecord& CommaRecord::Number(double value)
{
    Separate();
    char buffer[kMaxNumberText];
    out_.append(buffer, static_cast<std::size_t>(WriteNumberText(value, buffer)));
    return *this;
}

CommaRecord& CommaRecord::Boolean(bool value)
{
    Separate();
    out_ += value ? "#TRUE#" : "#FALSE#";
    return *this;
}

void CommaRecord::End()
{
    out_ += kLineEnd;
}

} // namespace tavex
