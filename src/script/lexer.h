#pragma once

#include "script/script_errors.h"

#include <cstddef>
#include <string_view>

namespace tavex::script {

enum class TokenKind {
    End,           // the end of the text
    StatementEnd,  // ":" or a line end
    Number,
    String,
    Name,
    // Words with a meaning of their own; any other word VBScript reserves is Reserved.
    And, Or, Xor, Eqv, Imp, Not, Mod, True, False, Reserved,
    Plus, Minus, Star, Slash, Backslash, Caret, Ampersand,
    Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual,
    LeftParenthesis, RightParenthesis, Comma, Dot,
    Invalid,       // text that is no token; error says why
};

struct Token {
    TokenKind kind = TokenKind::End;
    std::string_view text;
    double number = 0.0;                   // of a Number
    ErrorCode error = ErrorCode::None;     // of an Invalid token
    std::size_t position = 0;              // in the text
};

// Cuts VBScript text into tokens, one at a time, skipping blanks, comments
// (from "'" to the line end, or "Rem" opening a statement) and line
// continuations (" _" before a line end).
class Lexer final {
public:
    explicit Lexer(std::string_view text) : text_(text) {}

    Token Next();

private:
    void SkipTrivia();
    Token Word(std::size_t start);
    Token Decimal(std::size_t start);
    Token Ampersand(std::size_t start);
    Token QuotedString(std::size_t start);
    Token Punctuation(std::size_t start);
    Token Make(TokenKind kind, std::size_t start) const { return {kind, text_.substr(start, pos_ - start), 0.0, ErrorCode::None, start}; }
    Token Invalid(ErrorCode error, std::size_t start) const { return {TokenKind::Invalid, text_.substr(start, pos_ - start), 0.0, error, start}; }
    char At(std::size_t i) const { return i < text_.size() ? text_[i] : '\0'; }
    void SkipToLineEnd();

    std::string_view text_;
    std::size_t pos_ = 0;
    bool statementStart_ = true;
};

} // namespace tavex::script
