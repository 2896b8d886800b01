#pragma once

#include "io/text/file_outcome.h"
#include "model/problem_model.h"

#include <string>
#include <string_view>

namespace tavex {

// The center and period fields as the problem file gives them. The model
// holds the numbers they stand for; the window's entries show these texts,
// so a "*" typed into a file shows as "*".
struct OpenedEntries {
    PerVariable<std::string> centerText;
    PerVariable<std::string> periodText;
};

// A problem read from its pair of files, ready to replace the current one.
struct OpenedProblem {
    ProblemModel model;
    OpenedEntries entries;
};

// The name of a problem's data file: the problem file's name with ".dat"
// appended, even when it ends in ".dat" already.
std::string DataFilePath(std::string_view problemPath);

// Reads a problem from the texts of its problem file and data file into
// opened.model, which starts fresh.
//
// Reading follows the fields in order; a field that should hold a number and
// holds none reads as 0, a center or period "*" stands for the middle of the
// interval or 2 pi. Refused, with a message naming the file and the line:
// a file that ends early, a count of variables other than 1 to 4, a variable
// with fewer than 2 values, a grid too large to hold in memory, a count that
// is not a number, a Boolean that is neither #TRUE# nor #FALSE#, and a data
// file whose counts differ from the problem file's (its lists would be read
// out of step, so it is not the problem file's partner).
FileOutcome ParseProblemFiles(std::string_view problemText, std::string_view dataText,
                              const std::string& problemPath, OpenedProblem& opened);

// Reads both files from disk and parses them. A file without its data file
// that does not read as a problem file either is refused as no problem at
// all: "notes.txt is not a Tavex problem: line 1: ...".
FileOutcome ReadProblemFiles(const std::string& problemPath, OpenedProblem& opened);

// Why `problemText` is no problem file, its data file aside ("line 1: the
// number of variables is not a number: ..."); empty when its variables and
// the flag of its coefficients read.
std::string ProblemHeadFault(std::string_view problemText);

// The problem file that a path picked for opening stands for: the path
// itself, or the data file's partner when the path is the data file of a
// pair (it ends in ".dat", has no data file of its own, and the file without
// ".dat" reads as a problem file).
std::string ProblemFileFor(const std::string& picked);

} // namespace tavex
