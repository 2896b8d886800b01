// The main window's Print: the report on the printer chosen, or in a PDF file.
#include "app/main_window.h"

#include "app/print_target.h"
#include "app/report_printer.h"
#include "app/toolkit/busy_pointer.h"
#include "io/report_lines.h"

#include <QPrinter>

namespace tavex {

void MainWindow::PrintCommand()
{
    // The report shows the entries as they stand.
    if (!ReadSpecs()) {
        ReportFailure(QStringLiteral("A \"# of values\" entry holds fewer than 2 values; nothing was printed."));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printDialog_.Show(this, printer);
    if (ChoosePrintTarget(printer) == PrintTarget::None) {
        ReportFailure(QStringLiteral("No printer is available and no file was chosen; nothing was printed."));
        return;
    }

    ReportPrinter report(printer);
    bool started = false;
    bool ended = false;
    {
        BusyPointer busy;
        started = report.Begin();
        if (started) {
            PrintReport(model_, [&report](std::string_view line) { report.Line(line); });
            ended = report.End();
        }
    }
    if (!started)
        ReportFailure(QStringLiteral("The printer could not be started; nothing was printed."));
    else if (!ended)
        ReportFailure(QStringLiteral("The report could not be printed in full."));
}

} // namespace tavex
