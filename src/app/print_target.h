#pragma once

class QPrinter;

namespace tavex {

enum class PrintTarget { File, Printer, None };

// Where a print goes once the print dialog has closed: the file chosen there,
// else the printer chosen there, else the system's default printer (the
// printer is pointed at it). None when there is no printer and no file.
PrintTarget ChoosePrintTarget(QPrinter& printer);

} // namespace tavex
