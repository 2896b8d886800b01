#pragma once

#include "model/problem_model.h"
#include "setup/panel_texts.h"

#include <ctime>
#include <string>
#include <string_view>

namespace tavex::command {

// Where the report goes: a printer that lays the lines on pages, or a stream.
class ReportTarget {
public:
    virtual ~ReportTarget() = default;
    // Starts the document; false when it cannot be started.
    virtual bool Begin() = 0;
    virtual void Line(std::string_view line) = 0;
    // Ends the document; false when it could not be sent in full.
    virtual bool End() = 0;
};

struct PrintResult {
    bool printed = false;
    std::string message; // why not, or not in full
};

// What the top of every printed page says besides "Tavex".
struct PageHeading {
    std::string name;      // the problem file's name without its folder, or "untitled"
    std::string printedAt; // local time, "2026-12-07 14:05"
};

// The heading of a report of the problem saved as problemFile (empty: never
// saved), printed at `when`.
PageHeading HeadingOf(const std::string& problemFile, std::time_t when);

// Print, once the printer is chosen: ReadSpecs from the panels, so that the
// report shows the entries as they stand, then the report's lines. A refusal
// prints nothing.
PrintResult Print(ProblemModel& model, const Panels& panels, ReportTarget& target);

} // namespace tavex::command
