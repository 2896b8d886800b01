#pragma once

#include "model/problem_model.h"

#include <string>

namespace tavex {

// How far the problem has been declared: the count is typed first, then
// the names; from then on the panels, the values and the table are edited.
enum class Stage { Count, Names, Specs };

// What the windows and the run keep beside the problem: which panel is
// shown, the file the problem came from or went to, the state of the
// windows' steps. Nothing here is saved with the problem or computed.
struct Session {
    Stage stage = Stage::Count;
    int curVarNo = 1;            // 1-based number of the panel shown
    int curVar = 0;              // variable of the last per-variable value command
    bool isOpening = false;      // a problem file is being read into the window
    std::string startDir;        // working directory at start-up
    std::string problemFile;     // full path of the problem file, empty until named
    std::string savedDecimalSep; // the user's decimal separator, written back at exit
    PerVariable<int> funStartIndex{}; // the function window's starting point
    PerVariable<double> evalX{};      // the point the evaluation window shows
    bool pointEvaluated = false;      // whether evalX was ever computed at
    std::string evalFunction;         // and the function it compares the approximation with
};

// The session of another problem in the same run: where the run started and
// the user's decimal separator stay, the rest starts afresh.
inline Session NextSession(const Session& run)
{
    Session next;
    next.startDir = run.startDir;
    next.savedDecimalSep = run.savedDecimalSep;
    return next;
}

} // namespace tavex
