#pragma once

#include "commands.h"
#include "commands/compute_command.h"
#include "model/problem_model.h"
#include "output.h"
#include "setup/shown_specs.h"

#include <optional>
#include <string>

namespace tavex::cli {

// When the arguments ask for help, prints the command's usage and returns true.
bool ShowHelpIfAsked(std::string_view command, Arguments arguments);

// Reports a wrong number of arguments on standard error.
int UsageError(std::string_view command, std::string_view what);

// Opens the problem as File > Open does, leaving in `shown` what the window
// would show of it and in `path` the problem file opened (the pair's, when
// path named its data file); on failure reports the message.
bool OpenProblem(std::string& path, ProblemModel& model, ShownSpecs& shown);

// The start of a command on exactly one PROBLEM file: its help when asked,
// the argument count, then the open. Returns the exit status to end with, or
// nothing once path, model and shown hold the opened problem.
std::optional<int> OpenOnlyProblem(std::string_view command, Arguments arguments, std::string& path,
                                   ProblemModel& model, ShownSpecs& shown);

// The end of every command's output: flushes it and returns done, or says
// that standard output failed and returns the error status.
int FinishOutput(LineWriter& out);

// The coefficient listing of the model, trailing blanks removed, then FinishOutput.
int WriteListing(LineWriter& out, const ProblemModel& model);

// The compute command on the problem opened from session.problemFile, with
// the panels the window shows right after the open. When nothing is computed,
// prints the failure line (or reports the refusal) and returns nothing.
std::optional<command::ComputeResult> ComputeOpened(ProblemModel& model, const Session& session, const Panels& panels,
                                                    LineWriter& out);

// True when the opened problem holds coefficients; otherwise says so.
bool HasCoefficients(const std::string& path, const ProblemModel& model);

} // namespace tavex::cli
