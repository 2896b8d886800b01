#pragma once

#include "model/problem_model.h"
#include "setup/session.h"

namespace tavex::command {

// The line under a listing whose coefficients no longer belong to the problem.
inline constexpr char kOutOfDateLine[] = "The variables or the table changed after this computation. Compute again.";

// Which commands the main window offers, derived from the problem and the
// session alone, so that no command or edit keeps them in step by hand.
struct CommandStates {
    // File menu. New, Open and Import table ask about unsaved work first,
    // so they are offered at any time.
    bool newProblem = true;
    bool open = true;
    bool importTable = true;
    bool save = false;   // Save, Save As and Print, once there is a declared problem
    bool print = false;
    bool exportCoefficients = false;
    bool about = false;  // the About entry shows once the names are accepted
    // The boxes of the count and of the names take input until they are accepted.
    bool countBox = true;
    bool namesBox = true;
    // Commands that use the coefficients: only while they belong to the
    // problem as it stands.
    bool evaluations = false;
    bool plot = false;
    // The evaluation window's Gradient and Integrate, which read nothing but the coefficients.
    bool calculus = false;
    // The listing shows coefficients that no longer belong to the problem.
    bool listingOutOfDate = false;

    friend bool operator==(const CommandStates&, const CommandStates&) = default;
};

CommandStates AvailableCommands(const ProblemModel& model, const Session& session);

} // namespace tavex::command
