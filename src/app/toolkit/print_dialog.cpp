#include "app/toolkit/print_dialog.h"

#include <QPrintDialog>
#include <QPrinter>

namespace tavex {

namespace {

void SetUpWithPrintDialog(QWidget* parent, QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("cdbFile"));
    // The answer does not matter: an accepted dialog has set up the printer,
    // a cancelled one has left it alone.
    dialog.exec();
}

} // namespace

PrintDialog::PrintDialog()
    : chooser_(SetUpWithPrintDialog)
{
}

PrintDialog::PrintDialog(Chooser chooser)
    : chooser_(std::move(chooser))
{
}

void PrintDialog::Show(QWidget* parent, QPrinter& printer) const
{
    chooser_(parent, printer);
}

} // namespace tavex
