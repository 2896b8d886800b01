#include "script/builtins.h"

#include "script/arithmetic.h"

#include <array>
#include <cmath>

namespace tavex::script {

namespace {

Outcome Finite(double value) { return std::isfinite(value) ? Outcome{value} : Fail(ErrorCode::Overflow); }

template <double (*function)(double)>
Outcome Plain(std::span<const double> arguments)
{
    return Finite(function(arguments[0]));
}

Outcome Log(std::span<const double> arguments)
{
    return arguments[0] <= 0.0 ? Fail(ErrorCode::InvalidProcedureCall) : Finite(std::log(arguments[0]));
}

Outcome Sqr(std::span<const double> arguments)
{
    return arguments[0] < 0.0 ? Fail(ErrorCode::InvalidProcedureCall) : Finite(std::sqrt(arguments[0]));
}

Outcome Sgn(std::span<const double> arguments)
{
    return {static_cast<double>((arguments[0] > 0.0) - (arguments[0] < 0.0))};
}

// Round(x[, digits]): half to even at that many decimals. A number too
// large to have such decimals is returned as it is.
Outcome Round(std::span<const double> arguments)
{
    const double value = arguments[0];
    std::int32_t digits = 0;
    if (arguments.size() > 1) {
        const std::optional<std::int32_t> given = ToLong(arguments[1]);
        if (!given)
            return Fail(ErrorCode::Overflow);
        if (*given < 0)
            return Fail(ErrorCode::InvalidProcedureCall);
        digits = *given;
    }
    const double scale = std::pow(10.0, digits);
    const double scaled = value * scale;
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 0x1p52) // no fraction left to round
        return {value};
    return {RoundHalfEven(scaled) / scale};
}

double Floor(double x) { return std::floor(x); }
double Trunc(double x) { return std::trunc(x); }
double Abs(double x) { return std::fabs(x); }
double Atan(double x) { return std::atan(x); }
double Cos(double x) { return std::cos(x); }
double Sin(double x) { return std::sin(x); }
double Tan(double x) { return std::tan(x); }
double Exp(double x) { return std::exp(x); }

constexpr std::array kBuiltins{
    Builtin{"abs", 1, 1, Plain<Abs>},   Builtin{"atn", 1, 1, Plain<Atan>},  Builtin{"cos", 1, 1, Plain<Cos>},
    Builtin{"exp", 1, 1, Plain<Exp>},   Builtin{"fix", 1, 1, Plain<Trunc>}, Builtin{"int", 1, 1, Plain<Floor>},
    Builtin{"log", 1, 1, Log},          Builtin{"round", 1, 2, Round},      Builtin{"sgn", 1, 1, Sgn},
    Builtin{"sin", 1, 1, Plain<Sin>},   Builtin{"sqr", 1, 1, Sqr},          Builtin{"tan", 1, 1, Plain<Tan>},
};

} // namespace

const Builtin* FindBuiltin(std::string_view name)
{
    for (const Builtin& builtin : kBuiltins)
        if (builtin.name == name)
            return &builtin;
    return nullptr;
}

} // namespace tavex::script
