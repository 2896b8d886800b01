#include "script/script_errors.h"

#include <algorithm>
#include <cassert>
#include <string>

namespace tavex::script {

namespace {

const char* Description(ErrorCode code)
{
    switch (code) {
    case ErrorCode::None: break;
    case ErrorCode::InvalidProcedureCall: return "Invalid procedure call or argument";
    case ErrorCode::Overflow: return "Overflow";
    case ErrorCode::OutOfMemory: return "Out of memory";
    case ErrorCode::DivisionByZero: return "Division by zero";
    case ErrorCode::TypeMismatch: return "Type mismatch";
    case ErrorCode::OutOfStackSpace: return "Out of stack space";
    case ErrorCode::ObjectRequired: return "Object required";
    case ErrorCode::MemberNotSupported: return "Object doesn't support this property or method";
    case ErrorCode::WrongArgumentCount: return "Wrong number of arguments or invalid property assignment";
    case ErrorCode::VariableUndefined: return "Variable is undefined";
    case ErrorCode::IllegalAssignment: return "Illegal assignment";
    case ErrorCode::SyntaxError: return "Syntax error";
    case ErrorCode::ExpectedRightParenthesis: return "Expected ')'";
    case ErrorCode::ExpectedIdentifier: return "Expected identifier";
    case ErrorCode::ExpectedExpression: return "Expected expression";
    case ErrorCode::ExpectedStatement: return "Expected statement";
    case ErrorCode::ExpectedEndOfStatement: return "Expected end of statement";
    case ErrorCode::IdentifierTooLong: return "Identifier too long";
    case ErrorCode::InvalidNumber: return "Invalid number";
    case ErrorCode::InvalidCharacter: return "Invalid character";
    case ErrorCode::UnterminatedString: return "Unterminated string constant";
    case ErrorCode::ParenthesesInSubCall: return "Cannot use parentheses when calling a Sub";
    }
    assert(false && "no error to describe");
    return "";
}

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }
bool IsWordCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}
// A byte that begins a character of UTF-8 (or stands alone in a text that is not).
bool StartsCharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

std::size_t Characters(std::string_view text)
{
    std::size_t count = 0;
    for (const char c : text)
        count += StartsCharacter(c) ? 1 : 0;
    return count;
}

// A line too long for a message box is shown around the place: this many bytes before it and after it.
constexpr std::size_t kShownBefore = 60;
constexpr std::size_t kShownAfter = 40;

std::string Excerpt(std::string_view line, std::size_t place)
{
    if (line.size() <= kShownBefore + kShownAfter)
        return std::string(line);
    std::size_t from = place > kShownBefore ? place - kShownBefore : 0;
    std::size_t to = std::min(line.size(), place + kShownAfter);
    while (from > 0 && !StartsCharacter(line[from]))
        --from;
    while (to < line.size() && !StartsCharacter(line[to]))
        ++to;
    return (from > 0 ? "..." : "") + std::string(line.substr(from, to - from)) + (to < line.size() ? "..." : "");
}

} // namespace

ScriptError Describe(const Failure& failure, std::string_view text)
{
    ScriptError error{static_cast<int>(failure.error),
                      failure.subject == Subject::UnknownName ? "Unknown name" : Description(failure.error)};
    if (failure.position == kNowhere || failure.position > text.size())
        return error;
    const std::size_t at = failure.position;
    std::size_t lineStart = at;
    while (lineStart > 0 && !IsLineEnd(text[lineStart - 1]))
        --lineStart;
    std::size_t lineEnd = at;
    while (lineEnd < text.size() && !IsLineEnd(text[lineEnd]))
        ++lineEnd;
    const std::string_view line = text.substr(lineStart, lineEnd - lineStart);
    error.column = static_cast<int>(Characters(line.substr(0, at - lineStart)) + 1);
    // A line end of CR LF counts once.
    for (std::size_t i = 0; i < lineStart; ++i)
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            ++error.line;
    const bool oneLine = lineStart == 0 && lineEnd == text.size();

    if (failure.subject != Subject::Place) {
        std::size_t end = at;
        while (end < text.size() && IsWordCharacter(text[end]))
            ++end;
        error.description += " '" + std::string(text.substr(at, end - at)) + "'";
    }
    error.description += oneLine ? " at column " : " at line " + std::to_string(error.line) + ", column ";
    error.description += std::to_string(error.column) + ": " + Excerpt(line, at - lineStart);
    return error;
}

const char* VBScriptDescription(int number)
{
    return Description(static_cast<ErrorCode>(number));
}

} // namespace tavex::script
