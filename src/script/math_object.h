#pragma once

#include <cstdint>

namespace tavex::script {

// The math extensions registered with the script host as "sh": the
// constants that the start-up statements set, a field x that no function
// reads, and eight functions that the script language lacks. A function
// whose computation fails (the square root of a negative number, the
// logarithm of a number that is not positive, an overflow of the
// exponential, a division by zero) returns 0 and stores the failure's number
// (5, 6 or 11, as the host numbers them) in ierr and in *ownerIerr; it never
// raises an error.
struct MathObject {
    double pi = 0.0;
    double halfpi = 0.0;
    double e = 0.0;
    double x = 0.0;
    std::int32_t ierr = 0;
    // The owner's error field, set together with ierr; may be null.
    std::int32_t* ownerIerr = nullptr;

    double Asin(double y);
    double Acos(double y);
    double Sinh(double y);
    double Cosh(double y);
    double Tanh(double y);
    double Asinh(double y);
    double Acosh(double y);
    double Atanh(double y);
};

} // namespace tavex::script
