#include "app/print_target.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace tavex {

PrintTarget ChoosePrintTarget(QPrinter& printer)
{
    if (!printer.outputFileName().isEmpty())
        return PrintTarget::File;
    if (printer.outputFormat() == QPrinter::NativeFormat && !printer.printerName().isEmpty())
        return PrintTarget::Printer;
    // Without printers Qt sets the printer up for a PDF file it has no name for.
    const QPrinterInfo fallback = QPrinterInfo::defaultPrinter();
    if (fallback.isNull())
        return PrintTarget::None;
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setPrinterName(fallback.printerName());
    return PrintTarget::Printer;
}

} // namespace tavex
