#include "app/toolkit/busy_pointer.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QThread>
#include <QWidget>
#include <QWindow>

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

void ProcessEventsUntilPainted(QWidget* window)
{
    // The window manager maps the window some round trips after Qt asks it to.
    QElapsedTimer waited;
    waited.start();
    const auto exposed = [window] { return window->windowHandle() && window->windowHandle()->isExposed(); };
    while (!exposed() && waited.elapsed() < 1000) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
    window->repaint();
    QCoreApplication::processEvents();
}

} // namespace tavex
