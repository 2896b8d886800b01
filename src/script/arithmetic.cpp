#include "script/arithmetic.h"

#include <cassert>
#include <cmath>

namespace tavex::script {

namespace {

double Truth(bool condition) { return condition ? -1.0 : 0.0; }

Outcome Finite(double value) { return std::isfinite(value) ? Outcome{value} : Fail(ErrorCode::Overflow); }

Outcome Divide(double left, double right)
{
    if (right == 0.0) // 0/0 overflows in VBScript, as in Visual Basic
        return Fail(left == 0.0 ? ErrorCode::Overflow : ErrorCode::DivisionByZero);
    return Finite(left / right);
}

Outcome Power(double base, double exponent)
{
    if (base < 0.0 && exponent != std::trunc(exponent))
        return Fail(ErrorCode::InvalidProcedureCall);
    if (base == 0.0 && exponent < 0.0) // no number, not even a large one
        return Fail(ErrorCode::InvalidProcedureCall);
    return Finite(std::pow(base, exponent));
}

// \ and Mod: both operands rounded to Longs; \ truncates toward zero and
// Mod takes the dividend's sign, as C++'s / and % do.
Outcome IntegerDivision(BinaryOperator op, double left, double right)
{
    const std::optional<std::int32_t> dividend = ToLong(left);
    const std::optional<std::int32_t> divisor = ToLong(right);
    if (!dividend || !divisor)
        return Fail(ErrorCode::Overflow);
    if (*divisor == 0)
        return Fail(ErrorCode::DivisionByZero);
    const std::int64_t a = *dividend;
    const std::int64_t b = *divisor;
    const std::int64_t result = op == BinaryOperator::Modulo ? a % b : a / b;
    if (result > INT32_MAX) // -2147483648 \ -1
        return Fail(ErrorCode::Overflow);
    return {static_cast<double>(result)};
}

Outcome Logical(BinaryOperator op, double left, double right)
{
    const std::optional<std::int32_t> a = ToLong(left);
    const std::optional<std::int32_t> b = ToLong(right);
    if (!a || !b)
        return Fail(ErrorCode::Overflow);
    const std::uint32_t x = static_cast<std::uint32_t>(*a);
    const std::uint32_t y = static_cast<std::uint32_t>(*b);
    std::uint32_t bits = 0;
    switch (op) {
    case BinaryOperator::And: bits = x & y; break;
    case BinaryOperator::Or: bits = x | y; break;
    case BinaryOperator::Xor: bits = x ^ y; break;
    case BinaryOperator::Eqv: bits = ~(x ^ y); break;
    case BinaryOperator::Imp: bits = ~x | y; break;
    default: assert(false && "not a logical operator"); break;
    }
    return {static_cast<double>(static_cast<std::int32_t>(bits))};
}

} // namespace

Outcome Apply(BinaryOperator op, double left, double right)
{
    switch (op) {
    case BinaryOperator::Add: return Finite(left + right);
    case BinaryOperator::Subtract: return Finite(left - right);
    case BinaryOperator::Multiply: return Finite(left * right);
    case BinaryOperator::Divide: return Divide(left, right);
    case BinaryOperator::IntegerDivide:
    case BinaryOperator::Modulo: return IntegerDivision(op, left, right);
    case BinaryOperator::Power: return Power(left, right);
    case BinaryOperator::Concatenate: return Fail(ErrorCode::TypeMismatch); // joins strings; there are none
    case BinaryOperator::Equal: return {Truth(left == right)};
    case BinaryOperator::NotEqual: return {Truth(left != right)};
    case BinaryOperator::Less: return {Truth(left < right)};
    case BinaryOperator::Greater: return {Truth(left > right)};
    case BinaryOperator::LessEqual: return {Truth(left <= right)};
    case BinaryOperator::GreaterEqual: return {Truth(left >= right)};
    case BinaryOperator::And:
    case BinaryOperator::Or:
    case BinaryOperator::Xor:
    case BinaryOperator::Eqv:
    case BinaryOperator::Imp: return Logical(op, left, right);
    }
    assert(false && "an operator without a rule");
    return Fail(ErrorCode::SyntaxError);
}

Outcome Not(double operand)
{
    const std::optional<std::int32_t> value = ToLong(operand);
    return value ? Outcome{static_cast<double>(~*value)} : Fail(ErrorCode::Overflow);
}

double RoundHalfEven(double value)
{
    // value - trunc(value) is exact, so a half is seen exactly.
    if (std::fabs(value - std::trunc(value)) == 0.5)
        return 2.0 * std::round(value / 2.0);
    return std::round(value);
}

std::optional<std::int32_t> ToLong(double value)
{
    const double rounded = RoundHalfEven(value);
    if (!(rounded >= INT32_MIN && rounded <= INT32_MAX))
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

} // namespace tavex::script
