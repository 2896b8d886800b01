#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavex {

// How the fields of a row are separated: by one character, or by runs of
// blanks (spaces and tabs).
enum class Separator { Semicolon, Comma, Tab, Blanks };

// One field of a row as it stands in the text: without the blanks around it
// and, when it was quoted, without its quotes (a doubled quote inside is left
// doubled: Unquoted makes it one).
struct DelimitedField {
    std::string_view text;
    bool quoted = false;
};

// The text of a field with each doubled quote of a quoted field made one.
std::string Unquoted(const DelimitedField& field);

// Reads a text table row by row, as a spreadsheet writes it: a UTF-8
// byte-order mark at the start is skipped; lines end in LF, CR LF or a lone
// CR; a line of blanks, or of empty fields alone (",,," as a spreadsheet
// writes an empty row), holds no row and is skipped. A field may be quoted
// ("...", with "" for a quote inside it); a quoted field ends at its closing
// quote, so it may hold the separator, but not a line end.
//
// The separator is the one the first row uses, looked for outside quotes in
// this order: semicolon, comma, tab; a first row with none of them is
// separated by blanks. Semicolon first, as a table with commas in its numbers
// (a decimal comma) separates them by semicolons; comma before tab, as blanks
// around a comma are only spacing. With a character separator the blanks
// around each field are dropped (with tabs, only the spaces), and two
// separators in a row enclose an empty field.
//
// The reader is a small value over text that the caller keeps.
class DelimitedRows final {
public:
    explicit DelimitedRows(std::string_view text);

    Separator separator() const { return separator_; }

    // Fills fields with the next row that holds something and returns true,
    // or returns false at the end of the text. Throws FieldError for a quote
    // that is not closed on its line or is followed by more than blanks.
    bool Next(std::vector<DelimitedField>& fields);
    // The line (1-based) of the row Next read last.
    int line() const { return rowLine_; }

private:
    // Reads one field from pos_; number is its 1-based place in the row.
    DelimitedField ReadField(std::size_t number);
    DelimitedField ReadQuoted(std::size_t number);
    bool IsTrimmed(char c) const;
    bool AtLineEnd() const;
    void ConsumeLineEnd();

    std::string_view text_;
    std::size_t pos_ = 0;
    char separatorChar_ = '\0'; // '\0' for blanks
    Separator separator_ = Separator::Blanks;
    int line_ = 1;
    int rowLine_ = 0;
};

} // namespace tavex
