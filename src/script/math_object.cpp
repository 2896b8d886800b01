#include "script/math_object.h"

#include "script/script_errors.h"

#include <cmath>

namespace tavex::script {

namespace {

// A VBScript comparison's value: -1 for true, 0 for false.
double Truth(bool condition) { return condition ? -1.0 : 0.0; }

// One function's computation, step by step. The first step that fails (a
// square root of a negative number, a logarithm of a number that is not
// positive, a division by zero, a result that is no finite number) decides
// the error; the steps after it change nothing.
class Steps final {
public:
    double Sqrt(double x) { return x < 0.0 ? Failed(ErrorCode::InvalidProcedureCall) : Checked(std::sqrt(x)); }
    double Log(double x) { return x <= 0.0 ? Failed(ErrorCode::InvalidProcedureCall) : Checked(std::log(x)); }
    double Exp(double x) { return Checked(std::exp(x)); }
    double Atan(double x) { return Checked(std::atan(x)); }
    double Divide(double a, double b) { return b == 0.0 ? Failed(ErrorCode::DivisionByZero) : Checked(a / b); }
    double Checked(double x) { return std::isfinite(x) ? x : Failed(ErrorCode::Overflow); }

    // The result, or 0 with the error stored in the object and its owner.
    double Finish(double result, MathObject& object)
    {
        Checked(result);
        if (error_ == ErrorCode::None)
            return result;
        object.ierr = static_cast<std::int32_t>(error_);
        if (object.ownerIerr)
            *object.ownerIerr = object.ierr;
        return 0.0;
    }

private:
    double Failed(ErrorCode error)
    {
        if (error_ == ErrorCode::None)
            error_ = error;
        return 0.0;
    }

    ErrorCode error_ = ErrorCode::None;
};

} // namespace

// Asin and Acos, without branching on the value: with the comparisons' values
// (-1 or 0), 1 + (|y| <> 1) is 1 exactly when |y| = 1 and 0 otherwise, so
// the square root is taken of 1 - y*y or of 1, and -(|y| <> 1) keeps or drops
// the arctangent; the halfpi term supplies the end values.
double MathObject::Asin(double y)
{
    Steps steps;
    const double inside = Truth(std::fabs(y) != 1.0);
    const double root = steps.Sqrt((1.0 - y * y) + (1.0 + inside));
    const double result = steps.Atan(steps.Divide(y, root)) * -inside + halfpi * (Truth(y == -1.0) - Truth(y == 1.0));
    return steps.Finish(result, *this);
}

double MathObject::Acos(double y)
{
    Steps steps;
    const double inside = Truth(std::fabs(y) != 1.0);
    const double root = steps.Sqrt((1.0 - y * y) + (1.0 + inside));
    const double result = (halfpi - steps.Atan(steps.Divide(y, root))) * -inside + 2.0 * halfpi * -Truth(y == -1.0);
    return steps.Finish(result, *this);
}

double MathObject::Sinh(double y)
{
    Steps steps;
    return steps.Finish((steps.Exp(y) - steps.Exp(-y)) * 0.5, *this);
}

double MathObject::Cosh(double y)
{
    Steps steps;
    return steps.Finish((steps.Exp(y) + steps.Exp(-y)) * 0.5, *this);
}

// An overflowing exponential fails even where the quotient would tend to 1.
double MathObject::Tanh(double y)
{
    Steps steps;
    const double down = steps.Exp(-y);
    return steps.Finish(1.0 - steps.Divide(2.0 * down, down + steps.Exp(y)), *this);
}

double MathObject::Asinh(double y)
{
    Steps steps;
    return steps.Finish(steps.Log(y + steps.Sqrt(steps.Checked(y * y) + 1.0)), *this);
}

double MathObject::Acosh(double y)
{
    Steps steps;
    return steps.Finish(steps.Log(y + steps.Sqrt(steps.Checked(y * y) - 1.0)), *this);
}

double MathObject::Atanh(double y)
{
    Steps steps;
    return steps.Finish(0.5 * steps.Log(steps.Divide(1.0 + y, 1.0 - y)), *this);
}

} // namespace tavex::script
