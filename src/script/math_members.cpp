#include "script/math_members.h"

#include "script/arithmetic.h"

#include <array>
#include <cassert>

namespace tavex::script {

namespace {

constexpr std::array kMembers{
    MathMember{.name = "pi", .real = &MathObject::pi},
    MathMember{.name = "halfpi", .real = &MathObject::halfpi},
    MathMember{.name = "e", .real = &MathObject::e},
    MathMember{.name = "x", .real = &MathObject::x},
    MathMember{.name = "ierr", .integer = &MathObject::ierr},
    MathMember{.name = "asin", .function = &MathObject::Asin},
    MathMember{.name = "acos", .function = &MathObject::Acos},
    MathMember{.name = "sinh", .function = &MathObject::Sinh},
    MathMember{.name = "cosh", .function = &MathObject::Cosh},
    MathMember{.name = "tanh", .function = &MathObject::Tanh},
    MathMember{.name = "asinh", .function = &MathObject::Asinh},
    MathMember{.name = "acosh", .function = &MathObject::Acosh},
    MathMember{.name = "atanh", .function = &MathObject::Atanh},
};

} // namespace

const MathMember* FindMathMember(std::string_view name)
{
    for (const MathMember& member : kMembers)
        if (member.name == name)
            return &member;
    return nullptr;
}

double ReadField(const MathObject& object, const MathMember& field)
{
    assert(field.IsField());
    return field.real ? object.*field.real : static_cast<double>(object.*field.integer);
}

ErrorCode WriteField(MathObject& object, const MathMember& field, double value)
{
    assert(field.IsField());
    if (field.real) {
        object.*field.real = value;
        return ErrorCode::None;
    }
    const std::optional<std::int32_t> integer = ToLong(value);
    if (!integer)
        return ErrorCode::Overflow;
    object.*field.integer = *integer;
    return ErrorCode::None;
}

} // namespace tavex::script
