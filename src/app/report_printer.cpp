#include "app/report_printer.h"

#include <QFontMetrics>
#include <QPrinter>

namespace tavex {

ReportPrinter::ReportPrinter(QPrinter& printer)
    : printer_(printer)
{
}

QFont ReportPrinter::ReportFont()
{
    // The size is the printer's usual one; only the face is the report's.
    QFont font(QStringLiteral("Courier New"), 10);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

bool ReportPrinter::Begin()
{
    if (!painter_.begin(&printer_))
        return false;
    painter_.setFont(ReportFont());
    const QFontMetrics metrics = painter_.fontMetrics();
    lineHeight_ = metrics.lineSpacing();
    ascent_ = metrics.ascent();
    // The painter's origin is the top left of the printable area.
    pageHeight_ = printer_.height();
    y_ = 0;
    return true;
}

void ReportPrinter::Line(std::string_view line)
{
    if (y_ > 0 && y_ + lineHeight_ > pageHeight_) {
        if (!printer_.newPage())
            failed_ = true;
        y_ = 0;
    }
    if (!line.empty())
        painter_.drawText(0, y_ + ascent_,
                          QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
    y_ += lineHeight_;
}

bool ReportPrinter::End()
{
    const bool ended = painter_.end();
    return ended && !failed_;
}

} // namespace tavex
