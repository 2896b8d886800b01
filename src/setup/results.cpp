#include "setup/results.h"

namespace tavex {

bool ClearResults(ProblemModel& model, const Session& session)
{
    if (session.isOpening)
        return false;
    model.ClearComputed();
    return true;
}

} // namespace tavex
