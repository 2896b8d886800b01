#pragma once

#include "commands/print_command.h"

#include <QFont>
#include <QPainter>

#include <string_view>

class QPrinter;

namespace tavex {

// Lays lines of text on the pages of a printer, top to bottom, in one
// fixed-pitch font, starting a new page when the next line would not fit.
// What the lines say is the report's business (io/report_lines.h).
class ReportPrinter final : public command::ReportTarget {
public:
    explicit ReportPrinter(QPrinter& printer);
    ReportPrinter(const ReportPrinter&) = delete;
    ReportPrinter& operator=(const ReportPrinter&) = delete;

    // Starts the document; false when the printer or the file cannot be opened.
    bool Begin() override;
    // One line, blanks kept; an empty line only moves down.
    void Line(std::string_view line) override;
    // Ends the document, which sends it to the printer; false when that failed.
    bool End() override;

    // "Courier New" or the system's match for it.
    static QFont ReportFont();

private:
    QPrinter& printer_;
    QPainter painter_;
    int lineHeight_ = 0;
    int ascent_ = 0;
    int pageHeight_ = 0;
    int y_ = 0;
    bool failed_ = false;
};

} // namespace tavex
