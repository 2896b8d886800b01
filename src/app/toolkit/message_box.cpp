#include "app/toolkit/message_box.h"

#include <QMessageBox>
#include <QWidget>

namespace tavex {

MessageBox::MessageBox()
    : shower_([](QWidget* parent, const QString& title, const QString& text) {
        QMessageBox::warning(parent, title, text);
    })
{
}

MessageBox::MessageBox(Shower shower)
    : shower_(std::move(shower))
{
}

void MessageBox::Tell(QWidget* parent, const QString& text) const
{
    shower_(parent, parent ? parent->window()->windowTitle() : QString(), text);
}

} // namespace tavex
