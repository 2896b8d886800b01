#include "spec/variable_count.h"

#include "model/number_text.h"

namespace tavex {

bool ConfirmVariableCount(ProblemModel& model, std::string_view text)
{
    const double v = LeadingNumber(text);
    if (!(v > 0.0) || v > kMaxVariables)
        return false;
    // Below 0.5 the count rounds to zero variables; 0.5 itself is a tie that
    // goes to the even lastVar 0, one variable.
    if (v < 0.5)
        return false;
    model.lastVar = static_cast<int>(RoundHalfEven(v - 1.0));
    model.AllocateVariableArrays();
    return true;
}

} // namespace tavex
