#include "app/report_printer.h"

#include <QFontMetrics>
#include <QMarginsF>
#include <QPageLayout>
#include <QPrinter>

#include <algorithm>

namespace tavex {

namespace {

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

} // namespace

ReportPrinter::ReportPrinter(QPrinter& printer, command::PageHeading heading)
    : printer_(printer), heading_(std::move(heading))
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
    // A printer that cannot print this close to the edge keeps its own margins.
    const QMarginsF margins(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres);
    printer_.setFullPage(false);
    printer_.setPageMargins(margins, QPageLayout::Millimeter);
    if (!painter_.begin(&printer_))
        return false;
    painter_.setFont(ReportFont());
    text_.clear();
    lineEnds_.clear();
    return true;
}

void ReportPrinter::Line(std::string_view line)
{
    text_.append(line);
    lineEnds_.push_back(text_.size());
}

std::string_view ReportPrinter::LineAt(std::size_t i) const
{
    const std::size_t start = i == 0 ? 0 : lineEnds_[i - 1];
    return std::string_view(text_).substr(start, lineEnds_[i] - start);
}

bool ReportPrinter::End()
{
    // The painter's origin is the top left of the area inside the margins.
    // The heading and a blank line above the lines, a blank line and the
    // page number below them.
    const int lineHeight = painter_.fontMetrics().lineSpacing();
    const int perPage = std::max(1, printer_.height() / lineHeight - 4);
    const std::size_t lines = lineEnds_.size();
    const auto perPageLines = static_cast<std::size_t>(perPage);
    const int pages = std::max(1, static_cast<int>((lines + perPageLines - 1) / perPageLines));
    bool sent = true;
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !printer_.newPage())
            sent = false;
        const std::size_t first = static_cast<std::size_t>(page) * perPageLines;
        PaintPage(page, pages, first, std::min(perPageLines, lines - first));
    }
    const bool ended = painter_.end();
    return ended && sent;
}

void ReportPrinter::PaintPage(int page, int pages, std::size_t firstLine, std::size_t lineCount)
{
    const QFontMetrics metrics = painter_.fontMetrics();
    const int lineHeight = metrics.lineSpacing();
    const int width = printer_.width();
    const QRect top(0, 0, width, lineHeight);
    const QString printedAt = Text(heading_.printedAt);
    const QString program = QStringLiteral("Tavex");
    // The name gives way to the time and the program's name, which stay whole.
    const int nameRoom = (width - metrics.horizontalAdvance(printedAt)) / 2 - metrics.horizontalAdvance(QLatin1Char(' '));
    painter_.drawText(top, Qt::AlignLeft | Qt::AlignTop, metrics.elidedText(Text(heading_.name), Qt::ElideMiddle, nameRoom));
    painter_.drawText(top, Qt::AlignHCenter | Qt::AlignTop, printedAt);
    painter_.drawText(top, Qt::AlignRight | Qt::AlignTop, program);

    int y = 2 * lineHeight + metrics.ascent();
    for (std::size_t i = firstLine; i < firstLine + lineCount; ++i, y += lineHeight)
        if (const std::string_view line = LineAt(i); !line.empty())
            painter_.drawText(0, y, Text(line));

    const QRect foot(0, printer_.height() - lineHeight, width, lineHeight);
    painter_.drawText(foot, Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("page %1 of %2").arg(page + 1).arg(pages));
}

} // namespace tavex
