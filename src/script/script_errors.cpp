#include "script/script_errors.h"

#include <cassert>

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

} // namespace

ScriptError MakeError(ErrorCode code) { return {static_cast<int>(code), Description(code)}; }

} // namespace tavex::script
