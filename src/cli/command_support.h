#pragma once

#include "commands.h"
#include "io/problem_file_reader.h"
#include "model/problem_model.h"
#include "output.h"

#include <optional>
#include <string>

namespace tavex::cli {

// When the arguments ask for help, prints the command's usage and returns true.
bool ShowHelpIfAsked(std::string_view command, Arguments arguments);

// Reports a wrong number of arguments on standard error.
int UsageError(std::string_view command, std::string_view what);

// Opens the problem as File > Open does; on failure reports the message.
bool OpenProblem(const std::string& path, ProblemModel& model, OpenedEntries& entries);

// The start of a command on exactly one PROBLEM file: its help when asked,
// the argument count, then the open. Returns the exit status to end with, or
// nothing once path, model and entries hold the opened problem.
std::optional<int> OpenOnlyProblem(std::string_view command, Arguments arguments, std::string& path,
                                   ProblemModel& model, OpenedEntries& entries);

// The end of every command's output: flushes it and returns done, or says
// that standard output failed and returns the error status.
int FinishOutput(LineWriter& out);

// The coefficient listing of the model, trailing blanks removed, then FinishOutput.
int WriteListing(LineWriter& out, const ProblemModel& model);

// True when the opened problem holds coefficients; otherwise says so.
bool HasCoefficients(const std::string& path, const ProblemModel& model);

// ReadSpecs on the panels as they stand right after an open: the limits as
// the entries show them (to 15 significant digits), the center and period
// texts the file gave ("*" resolved again), the counts, kinds and spacing
// flags; so the steps are set and the equally spaced lists regenerated.
void ReadSpecsAfterOpen(ProblemModel& model, const OpenedEntries& entries);

} // namespace tavex::cli
