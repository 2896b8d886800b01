#pragma once

#include <string>
#include <string_view>

namespace tavex {

// Writes one comma record: fields separated by "," without blanks, text in
// double quotes (with no escape, so a text must not contain one), numbers as
// their standard text, Booleans as #TRUE# or #FALSE#, the line ended by CR LF.
class CommaRecord final {
public:
    explicit CommaRecord(std::string& out) : out_(out) {}

    CommaRecord& Text(std::string_view text);
    CommaRecord& Number(double value);
    CommaRecord& Boolean(bool value);
    void End();

private:
    void Separate();

    std::string& out_;
    bool first_ = true;
};

// A text the quoted field of a comma record can hold: no double quote and no
// line end, which would end the field early when it is read back.
bool FitsQuotedField(std::string_view text);

} // namespace tavex
