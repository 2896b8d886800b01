#pragma once

#include "script/math_object.h"
#include "script/script_errors.h"

#include <cstdint>
#include <string_view>

namespace tavex::script {

// A member of MathObject as a script sees it: a field, or a function of one number.
struct MathMember {
    std::string_view name;                          // lower case
    double MathObject::*real = nullptr;             // pi, halfpi, e, x
    std::int32_t MathObject::*integer = nullptr;    // ierr
    double (MathObject::*function)(double) = nullptr;

    bool IsField() const { return function == nullptr; }
};

// The member of that (lower-case) name; null when there is none.
const MathMember* FindMathMember(std::string_view name);

double ReadField(const MathObject& object, const MathMember& field);

// Stores the value; an integer field takes it as VBScript's CLng does,
// so that a value beyond 32 bits is an Overflow.
ErrorCode WriteField(MathObject& object, const MathMember& field, double value);

} // namespace tavex::script
