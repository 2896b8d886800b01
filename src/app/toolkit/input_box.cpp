#include "app/toolkit/input_box.h"

#include <QInputDialog>

namespace tavex {

InputBox::InputBox()
    : asker_([](QWidget* parent, const std::string& prompt, const std::string& title) {
        QInputDialog dialog(parent);
        dialog.setObjectName(QStringLiteral("InputBox"));
        dialog.setInputMode(QInputDialog::TextInput);
        dialog.setLabelText(QString::fromStdString(prompt));
        dialog.setWindowTitle(QString::fromStdString(title));
        return dialog.exec() == QDialog::Accepted ? dialog.textValue().toStdString() : std::string();
    })
{
}

InputBox::InputBox(Asker asker)
    : asker_(std::move(asker))
{
}

} // namespace tavex
