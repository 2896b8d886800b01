#include "app/toolkit/busy_pointer.h"

#include <QApplication>
#include <QCursor>

namespace tavex {

BusyPointer::BusyPointer()
{
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

BusyPointer::~BusyPointer()
{
    QApplication::restoreOverrideCursor();
}

void Beep()
{
    QApplication::beep();
}

void ProcessPendingEvents()
{
    QCoreApplication::processEvents();
}

} // namespace tavex
