#pragma once

#include "script/script_host.h"

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

// The error with VBScript's description of it.
ScriptError MakeError(ErrorCode code);

// A number or the error that stopped its computation.
struct Outcome {
    double value = 0.0;
    ErrorCode error = ErrorCode::None;

    bool Failed() const { return error != ErrorCode::None; }
};

inline Outcome Fail(ErrorCode code) { return {0.0, code}; }

} // namespace tavex::script
