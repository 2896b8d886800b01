#pragma once

#include "io/text/file_outcome.h"
#include "io/text/text_sink.h"
#include "model/problem_model.h"

#include <string>

namespace tavex {

// The texts of the two files of a problem, laid out line by line:
//
// problem file: lastVar as a number line; per variable a comma record
//   "name",lower,upper,center,#TRUE# (polynomial) or #FALSE#,period,valueUpper;
//   a record holding isComputed; when it holds, the coefficients as number
//   lines, the first index fastest.
// data file: lastVar; per variable valueUpper as a number line and a record
//   holding isEquallySpaced; the value list of every variable, one number
//   line per value; the function table as number lines, the last index fastest.
//
// The model must pass CheckSavable. The tables are laid out on every thread,
// a few pieces at a time, and handed to the sink in order.
void WriteProblemFile(const ProblemModel& model, const TextSink& sink);
void WriteDataFile(const ProblemModel& model, const TextSink& sink);

// The function table's section of the data file alone: number lines, the
// last index fastest.
void WriteFunctionValues(const ProblemModel& model, const TextSink& sink);

// The same texts whole.
std::string ProblemFileText(const ProblemModel& model);
std::string DataFileText(const ProblemModel& model);

// What the files could not hold faithfully: a name with a double quote or a
// line end (the quoted field has no escape), or a variable with fewer than two
// values (its list would be left out and the pair would not read back).
// The message names the file to be written.
FileOutcome CheckSavable(const ProblemModel& model, const std::string& problemPath);

} // namespace tavex
