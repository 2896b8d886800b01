#include "script/lexer.h"

#include "base/number_scan.h"
#include "script/lower_case.h"

#include <array>
#include <cassert>
#include <cmath>
#include <cstdint>

namespace tavex::script {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsWordCharacter(char c) { return IsLetter(c) || IsDigit(c) || c == '_'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

constexpr std::size_t kLongestName = 255; // as in VBScript

struct Keyword {
    std::string_view word; // lower case
    TokenKind kind;
};

// The operators and constants this language has, and the words VBScript
// reserves for what it lacks, so that no such word becomes a variable.
constexpr std::array kKeywords{
    Keyword{"and", TokenKind::And}, Keyword{"or", TokenKind::Or}, Keyword{"xor", TokenKind::Xor},
    Keyword{"eqv", TokenKind::Eqv}, Keyword{"imp", TokenKind::Imp}, Keyword{"not", TokenKind::Not},
    Keyword{"mod", TokenKind::Mod}, Keyword{"true", TokenKind::True}, Keyword{"false", TokenKind::False},
    Keyword{"byref", TokenKind::Reserved}, Keyword{"byval", TokenKind::Reserved}, Keyword{"call", TokenKind::Reserved},
    Keyword{"case", TokenKind::Reserved}, Keyword{"class", TokenKind::Reserved}, Keyword{"const", TokenKind::Reserved},
    Keyword{"dim", TokenKind::Reserved}, Keyword{"do", TokenKind::Reserved}, Keyword{"each", TokenKind::Reserved},
    Keyword{"else", TokenKind::Reserved}, Keyword{"elseif", TokenKind::Reserved}, Keyword{"empty", TokenKind::Reserved},
    Keyword{"end", TokenKind::Reserved}, Keyword{"erase", TokenKind::Reserved}, Keyword{"exit", TokenKind::Reserved},
    Keyword{"for", TokenKind::Reserved}, Keyword{"function", TokenKind::Reserved}, Keyword{"goto", TokenKind::Reserved},
    Keyword{"if", TokenKind::Reserved}, Keyword{"in", TokenKind::Reserved}, Keyword{"is", TokenKind::Reserved},
    Keyword{"let", TokenKind::Reserved}, Keyword{"loop", TokenKind::Reserved}, Keyword{"me", TokenKind::Reserved},
    Keyword{"new", TokenKind::Reserved}, Keyword{"next", TokenKind::Reserved}, Keyword{"nothing", TokenKind::Reserved},
    Keyword{"null", TokenKind::Reserved}, Keyword{"on", TokenKind::Reserved}, Keyword{"option", TokenKind::Reserved},
    Keyword{"preserve", TokenKind::Reserved}, Keyword{"private", TokenKind::Reserved}, Keyword{"public", TokenKind::Reserved},
    Keyword{"redim", TokenKind::Reserved}, Keyword{"resume", TokenKind::Reserved}, Keyword{"select", TokenKind::Reserved},
    Keyword{"set", TokenKind::Reserved}, Keyword{"stop", TokenKind::Reserved}, Keyword{"sub", TokenKind::Reserved},
    Keyword{"then", TokenKind::Reserved}, Keyword{"to", TokenKind::Reserved}, Keyword{"until", TokenKind::Reserved},
    Keyword{"wend", TokenKind::Reserved}, Keyword{"while", TokenKind::Reserved}, Keyword{"with", TokenKind::Reserved},
};

bool SameWord(std::string_view word, std::string_view lowerCase)
{
    if (word.size() != lowerCase.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (LowerCase(word[i]) != lowerCase[i])
            return false;
    return true;
}

int DigitValue(char c, int base)
{
    int value = 99;
    if (IsDigit(c))
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value < base ? value : -1;
}

} // namespace

Token Lexer::Next()
{
    SkipTrivia();
    const std::size_t start = pos_;
    if (pos_ >= text_.size())
        return Make(TokenKind::End, start);
    const char c = text_[pos_];
    if (IsLineEnd(c) || c == ':') {
        ++pos_;
        if (c == '\r' && pos_ < text_.size() && text_[pos_] == '\n')
            ++pos_;
        statementStart_ = true;
        return Make(TokenKind::StatementEnd, start);
    }
    Token token;
    if (IsLetter(c))
        token = Word(start);
    else if (IsDigit(c) || (c == '.' && IsDigit(At(pos_ + 1))))
        token = Decimal(start);
    else if (c == '&')
        token = Ampersand(start);
    else if (c == '"')
        token = QuotedString(start);
    else
        token = Punctuation(start);
    statementStart_ = false;
    return token;
}

void Lexer::SkipTrivia()
{
    while (pos_ < text_.size()) {
        const char c = text_[pos_];
        if (IsBlank(c)) {
            ++pos_;
        } else if (c == '\'') {
            SkipToLineEnd();
        } else if (c == '_') {
            std::size_t after = pos_ + 1;
            while (after < text_.size() && IsBlank(text_[after]))
                ++after;
            if (after >= text_.size() || !IsLineEnd(text_[after]))
                return; // a lone underscore: an invalid character
            pos_ = after + (text_[after] == '\r' && At(after + 1) == '\n' ? 2 : 1);
        } else {
            return;
        }
    }
}

void Lexer::SkipToLineEnd()
{
    while (pos_ < text_.size() && !IsLineEnd(text_[pos_]))
        ++pos_;
}

Token Lexer::Word(std::size_t start)
{
    while (pos_ < text_.size() && IsWordCharacter(text_[pos_]))
        ++pos_;
    const std::string_view word = text_.substr(start, pos_ - start);
    if (word.size() > kLongestName)
        return Invalid(ErrorCode::IdentifierTooLong, start);
    if (statementStart_ && SameWord(word, "rem")) {
        SkipToLineEnd();
        return Next();
    }
    for (const Keyword& keyword : kKeywords)
        if (SameWord(word, keyword.word))
            return Make(keyword.kind, start);
    return Make(TokenKind::Name, start);
}

// digits [. digits] [E [sign] digits], or . digits [E [sign] digits]; the
// digits after the point may be missing ("1." and "1.E2").
Token Lexer::Decimal(std::size_t start)
{
    while (IsDigit(At(pos_)))
        ++pos_;
    if (At(pos_) == '.') {
        ++pos_;
        while (IsDigit(At(pos_)))
            ++pos_;
    }
    if (At(pos_) == 'e' || At(pos_) == 'E') {
        ++pos_;
        if (At(pos_) == '+' || At(pos_) == '-')
            ++pos_;
        if (!IsDigit(At(pos_)))
            return Invalid(ErrorCode::InvalidNumber, start);
        while (IsDigit(At(pos_)))
            ++pos_;
    }
    const std::string_view literal = text_.substr(start, pos_ - start);
    const NumberScan scan = ScanNumber(literal);
    assert(scan.found && scan.end == literal.size());
    if (!std::isfinite(scan.value))
        return Invalid(ErrorCode::InvalidNumber, start);
    Token token = Make(TokenKind::Number, start);
    token.number = scan.value;
    return token;
}

// &H1F, &O17 and &17 are hexadecimal and octal; a value that fits 16 bits is
// a VBScript Integer and one that fits 32 bits a Long, each in two's
// complement, so that &HFFFF is -1 and &H8000 is -32768. A lone "&" joins
// strings.
Token Lexer::Ampersand(std::size_t start)
{
    ++pos_;
    int base = 8;
    if (At(pos_) == 'h' || At(pos_) == 'H') {
        base = 16;
        ++pos_;
    } else if (At(pos_) == 'o' || At(pos_) == 'O') {
        ++pos_;
    } else if (DigitValue(At(pos_), 8) < 0) {
        return Make(TokenKind::Ampersand, start);
    }
    constexpr std::uint64_t kLongest = 0xFFFFFFFFu;
    std::uint64_t value = 0;
    bool anyDigit = false;
    for (int digit; (digit = DigitValue(At(pos_), base)) >= 0; ++pos_) {
        anyDigit = true;
        if (value <= kLongest) // beyond it the literal is refused; stop before the sum wraps
            value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    }
    if (!anyDigit || value > kLongest)
        return Invalid(ErrorCode::InvalidNumber, start);
    Token token = Make(TokenKind::Number, start);
    token.number = value <= 0xFFFFu ? static_cast<std::int16_t>(static_cast<std::uint16_t>(value))
                                    : static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    return token;
}

// "..." with "" for a quote inside; it must end on its line.
Token Lexer::QuotedString(std::size_t start)
{
    ++pos_;
    while (pos_ < text_.size() && !IsLineEnd(text_[pos_])) {
        if (text_[pos_++] != '"')
            continue;
        if (At(pos_) != '"')
            return Make(TokenKind::String, start);
        ++pos_;
    }
    return Invalid(ErrorCode::UnterminatedString, start);
}

Token Lexer::Punctuation(std::size_t start)
{
    const char c = text_[pos_++];
    const auto followedBy = [this](char next) {
        if (pos_ < text_.size() && text_[pos_] == next) {
            ++pos_;
            return true;
        }
        return false;
    };
    switch (c) {
    case '+': return Make(TokenKind::Plus, start);
    case '-': return Make(TokenKind::Minus, start);
    case '*': return Make(TokenKind::Star, start);
    case '/': return Make(TokenKind::Slash, start);
    case '\\': return Make(TokenKind::Backslash, start);
    case '^': return Make(TokenKind::Caret, start);
    case '=': return Make(TokenKind::Equal, start);
    case '(': return Make(TokenKind::LeftParenthesis, start);
    case ')': return Make(TokenKind::RightParenthesis, start);
    case ',': return Make(TokenKind::Comma, start);
    case '.': return Make(TokenKind::Dot, start);
    case '<':
        if (followedBy('>'))
            return Make(TokenKind::NotEqual, start);
        return Make(followedBy('=') ? TokenKind::LessEqual : TokenKind::Less, start);
    case '>':
        return Make(followedBy('=') ? TokenKind::GreaterEqual : TokenKind::Greater, start);
    default:
        return Invalid(ErrorCode::InvalidCharacter, start);
    }
}

} // namespace tavex::script
