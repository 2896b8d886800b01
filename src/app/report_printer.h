#pragma once

#include "commands/print_command.h"

#include <QFont>
#include <QPainter>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class QPrinter;

namespace tavex {

// Lays lines of text on the pages of a printer, top to bottom, in one
// fixed-pitch font, starting a new page when the next line would not fit.
// Every page carries the heading it is given (the problem's name on the
// left, the time of printing in the middle, "Tavex" on the right) and "page
// N of M" at its foot, inside margins of 15 mm. What the lines say is the
// report's business (io/report_lines.h), what the heading says the caller's.
class ReportPrinter final : public command::ReportTarget {
public:
    ReportPrinter(QPrinter& printer, command::PageHeading heading);
    ReportPrinter(const ReportPrinter&) = delete;
    ReportPrinter& operator=(const ReportPrinter&) = delete;

    // Sets the margins and starts the document; false when the printer or
    // the file cannot be opened.
    bool Begin() override;
    // One line, blanks kept; an empty line only moves down. Lines are kept
    // until End, when the page count is known.
    void Line(std::string_view line) override;
    // Lays out the pages and ends the document, which sends it to the
    // printer; false when that failed.
    bool End() override;

    // "Courier New" or the system's match for it.
    static QFont ReportFont();
    static constexpr double kMarginMillimetres = 15.0;

private:
    void PaintPage(int page, int pages, std::size_t firstLine, std::size_t lineCount);
    std::string_view LineAt(std::size_t i) const;

    QPrinter& printer_;
    command::PageHeading heading_;
    QPainter painter_;
    // The lines, one after another, and where each ends.
    std::string text_;
    std::vector<std::size_t> lineEnds_;
};

} // namespace tavex
