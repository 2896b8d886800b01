#include "script/math_object.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tavex::script {
namespace {

// Each function against its formula, bit for bit, and each failure: 0
// returned, the error's number in ierr and in the owner's field.
TEST(MathObject, ComputesEachFunctionOrStoresItsFailure)
{
    const double halfpi = std::atan(1.0) * 2;
    using Function = double (MathObject::*)(double);
    struct Case { Function function; double argument; double value; int ierr; };
    const Case cases[] = {
        {&MathObject::Asin, 1, halfpi, 0}, {&MathObject::Asin, -1, -halfpi, 0},
        {&MathObject::Asin, 0.5, std::atan(0.5 / std::sqrt(0.75)), 0},
        {&MathObject::Asin, 0.9999999, std::atan(0.9999999 / std::sqrt(1 - 0.9999999 * 0.9999999)), 0},
        {&MathObject::Asin, 2, 0, 5}, {&MathObject::Asin, -1.0000000000000002, 0, 5},
        {&MathObject::Acos, 1, 0, 0}, {&MathObject::Acos, -1, 2 * halfpi, 0},
        {&MathObject::Acos, -0.5, halfpi - std::atan(-0.5 / std::sqrt(0.75)), 0}, {&MathObject::Acos, 2, 0, 5},
        {&MathObject::Sinh, 1, (std::exp(1.0) - std::exp(-1.0)) * 0.5, 0},
        {&MathObject::Sinh, 709, (std::exp(709.0) - std::exp(-709.0)) * 0.5, 0},
        {&MathObject::Sinh, 710, 0, 6}, {&MathObject::Sinh, -710, 0, 6},
        {&MathObject::Cosh, 0, 1, 0}, {&MathObject::Cosh, 709.78, (std::exp(709.78) + std::exp(-709.78)) * 0.5, 0},
        {&MathObject::Cosh, 709.79, 0, 6},
        {&MathObject::Tanh, 1, 1 - 2 * std::exp(-1.0) / (std::exp(-1.0) + std::exp(1.0)), 0},
        {&MathObject::Tanh, 0, 0, 0}, {&MathObject::Tanh, 710, 0, 6}, {&MathObject::Tanh, -710, 0, 6},
        {&MathObject::Asinh, 1, std::log(1 + std::sqrt(2.0)), 0}, {&MathObject::Asinh, 1e200, 0, 6},
        {&MathObject::Acosh, 1, 0, 0}, {&MathObject::Acosh, 2, std::log(2 + std::sqrt(3.0)), 0},
        {&MathObject::Acosh, 0.5, 0, 5}, {&MathObject::Acosh, -2, 0, 5},
        {&MathObject::Atanh, 0.5, 0.5 * std::log(1.5 / 0.5), 0}, {&MathObject::Atanh, 1, 0, 11},
        {&MathObject::Atanh, -1, 0, 5}, {&MathObject::Atanh, 2, 0, 5},
    };
    for (const Case& c : cases) {
        std::int32_t ownerIerr = 77;
        MathObject math;
        math.halfpi = halfpi;
        math.ierr = 77; // left as it was on success
        math.ownerIerr = &ownerIerr;
        const double value = (math.*c.function)(c.argument);
        EXPECT_EQ(value, c.value) << c.argument << " case " << (&c - cases);
        EXPECT_EQ(math.ierr, c.ierr ? c.ierr : 77) << c.argument << " case " << (&c - cases);
        EXPECT_EQ(ownerIerr, math.ierr) << c.argument << " case " << (&c - cases);
    }
    MathObject withoutOwner;
    EXPECT_EQ(withoutOwner.Atanh(1), 0.0);
    EXPECT_EQ(withoutOwner.ierr, 11);
}

} // namespace
} // namespace tavex::script
