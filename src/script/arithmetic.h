#pragma once

#include "script/script_errors.h"

#include <cstdint>
#include <optional>

namespace tavex::script {

enum class BinaryOperator {
    Add, Subtract, Multiply, Divide, IntegerDivide, Modulo, Power, Concatenate,
    Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual,
    And, Or, Xor, Eqv, Imp,
};

// The operator on two numbers with VBScript's rules: a comparison gives -1
// for true and 0 for false; \, Mod and the logical operators work on Longs;
// a result that is no finite number is an Overflow.
Outcome Apply(BinaryOperator op, double left, double right);

// Not, bitwise on a Long.
Outcome Not(double operand);

// To the nearest integer, a half to the even one, as VBScript's Round and
// CLng do: 2.5 is 2, 3.5 is 4.
double RoundHalfEven(double value);

// The Long that VBScript's CLng makes of the value; nothing when it does
// not fit 32 bits (an Overflow).
std::optional<std::int32_t> ToLong(double value);

} // namespace tavex::script
