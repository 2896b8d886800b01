#include "app/toolkit/tool_window.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace tavex {

ToolWindow::ToolWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

void ToolWindow::DataChanged() const
{
    if (onDataChanged)
        onDataChanged();
}

void ToolWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (QWidget* first = FirstField())
        first->setFocus();
}

void ToolWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}

void ToolWindow::closeEvent(QCloseEvent* event)
{
    Closing();
    event->accept();
    if (onClosed)
        onClosed();
}

} // namespace tavex
