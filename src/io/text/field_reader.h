#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tavex {

// A fault in the text of a file, found at a line (1-based).
class FieldError final : public std::runtime_error {
public:
    FieldError(int line, const std::string& what) : std::runtime_error(what), line_(line) {}
    int line() const { return line_; }

private:
    int line_;
};

// How a field shows in a message: in quotes, cut short, without the control
// characters a damaged file may hold.
std::string QuotedForMessage(std::string_view field);

// Reads the fields of a problem or data file in order. Commas and line ends
// (CR LF, LF or a lone CR) alike end a field, so the line structure carries no
// meaning; blanks (space, tab) before a field are skipped. Blanks and line
// ends after the last field are no field.
//
// The reader is a small value: a copy reads on from the same place.
class FieldReader final {
public:
    explicit FieldReader(std::string_view text);

    // No field is left.
    bool AtEnd();

    // Line on which the next field begins, or which the reader has reached.
    int line() const { return line_; }
    // Number of lines that hold something.
    int LastLine() const;
    // Characters left to read: a bound on the number of fields left, less one.
    std::size_t Remaining() const { return end_ - pos_; }

    // A number field: it ends at a blank, a comma or a line end. Empty when the
    // field is. The text is not checked: what it holds is the caller's to say.
    std::string_view NumberField();

    // The next number field's value as NumberFromField reads it; false, and
    // nothing read, when no field is left. The path of the millions of number
    // lines: a clean number is converted where it stands.
    bool NextNumber(double& value);

    // A text field: between double quotes when it begins with one (what
    // follows the closing quote up to the separator is ignored), otherwise up
    // to the next comma or line end with the blanks at its end dropped.
    // Throws FieldError for a quote that the line does not close.
    std::string_view TextField();

private:
    void SkipBlanks();
    // After a field: blanks, then one comma or line end if there is one.
    void EndField();
    void ConsumeLineEnd();

    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0; // the text without its trailing blanks and line ends
    int line_ = 1;
};

} // namespace tavex
