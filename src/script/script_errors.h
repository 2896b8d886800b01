#pragma once

#include "script/script_host.h"

#include <cstddef>

namespace tavex::script {

// The errors the host raises, numbered as VBScript numbers them: run-time
// errors below 1000, compile errors from 1001 on.
enum class ErrorCode {
    None = 0,
    InvalidProcedureCall = 5,
    Overflow = 6,
    OutOfMemory = 7,
    DivisionByZero = 11,
    TypeMismatch = 13,
    OutOfStackSpace = 28,
    ObjectRequired = 424,
    MemberNotSupported = 438,
    WrongArgumentCount = 450,
    VariableUndefined = 500,
    IllegalAssignment = 501,
    SyntaxError = 1002,
    ExpectedRightParenthesis = 1006,
    ExpectedIdentifier = 1010,
    ExpectedExpression = 1023,
    ExpectedStatement = 1024,
    ExpectedEndOfStatement = 1025,
    IdentifierTooLong = 1030,
    InvalidNumber = 1031,
    InvalidCharacter = 1032,
    UnterminatedString = 1033,
    ParenthesesInSubCall = 1044,
};

// No place in the text: the error belongs to the whole of it (out of memory).
inline constexpr std::size_t kNowhere = SIZE_MAX;

// What the message says the error is about, besides its place.
enum class Subject {
    Place,       // only where it arose
    Name,        // the name that starts there
    UnknownName, // the name that starts there, called but never defined: VBScript's "Type mismatch" would mislead
};

// An error, and where in the text it arose: the byte offset of the token it
// arose at.
struct Failure {
    ErrorCode error = ErrorCode::None;
    std::size_t position = kNowhere;
    Subject subject = Subject::Place;
};

// The error as the user is told it, of `text`, the statements or the
// expression that failed: VBScript's words, then what and where ("Expected
// ')' at column 9: Sin(x*(y"). The column counts characters, not bytes; the
// text after the colon is the line the error is on.
ScriptError Describe(const Failure& failure, std::string_view text);

// A number or the error that stopped its computation.
struct Outcome {
    double value = 0.0;
    ErrorCode error = ErrorCode::None;

    bool Failed() const { return error != ErrorCode::None; }
};

inline Outcome Fail(ErrorCode code) { return {0.0, code}; }

} // namespace tavex::script
