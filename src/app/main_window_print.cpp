// The main window's Print: the report on the printer chosen, or in a PDF file.
#include "app/main_window.h"

#include "app/command_end.h"
#include "app/print_target.h"
#include "app/report_printer.h"
#include "app/toolkit/busy_pointer.h"
#include "commands/print_command.h"

#include <QPrinter>

#include <ctime>

namespace tavex {

void MainWindow::PrintCommand()
{
    const CommandEnd check(*this);
    if (!fieldEvents_->Settle())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printDialog_.Show(this, printer);
    if (ChoosePrintTarget(printer) == PrintTarget::None) {
        ReportFailure(QStringLiteral("No printer is available and no file was chosen; nothing was printed."));
        return;
    }

    ReportPrinter report(printer, command::HeadingOf(session_.problemFile, std::time(nullptr)));
    command::PrintResult result;
    {
        BusyPointer busy;
        result = command::Print(model_, PanelsShown(), report);
    }
    if (!result.printed)
        ReportFailure(QString::fromStdString(result.message));
}

} // namespace tavex
