#include "setup/results.h"

namespace tavex {

bool ClearResults(ProblemModel& model)
{
    if (model.isOpening)
        return false;
    model.isComputed = false;
    return true;
}

} // namespace tavex
