#include "app/toolkit/input_box.h"

#include <QInputDialog>

namespace tavex {

std::string InputBox(QWidget* parent, const std::string& prompt, const std::string& title)
{
    QInputDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("InputBox"));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(QString::fromStdString(prompt));
    dialog.setWindowTitle(QString::fromStdString(title));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.textValue().toStdString();
}

} // namespace tavex
