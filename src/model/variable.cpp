#include "model/variable.h"

namespace tavex {

void Variable::FillSpacedValues()
{
    ResizeValues();
    const double step = Step();
    const double lower = lowerLimit;
    // The product first, then the sum: every build gives the same values.
    for (int i = 0; i <= valueUpper; ++i)
        SetValue(i, static_cast<double>(i) * step + lower);
}

} // namespace tavex
