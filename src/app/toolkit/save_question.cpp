#include "app/toolkit/save_question.h"

#include <QMessageBox>
#include <QWidget>

namespace tavex {

SaveQuestion::SaveQuestion()
    : asker_([](QWidget* parent, const QString& text) {
        QMessageBox box(QMessageBox::Warning, parent ? parent->window()->windowTitle() : QString(), text,
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
        box.setObjectName(QStringLiteral("msgSaveChanges"));
        box.setDefaultButton(QMessageBox::Save);
        box.setEscapeButton(QMessageBox::Cancel);
        switch (box.exec()) {
        case QMessageBox::Save:
            return SaveAnswer::Save;
        case QMessageBox::Discard:
            return SaveAnswer::Discard;
        default:
            return SaveAnswer::Cancel;
        }
    })
{
}

SaveQuestion::SaveQuestion(Asker asker)
    : asker_(std::move(asker))
{
}

SaveAnswer SaveQuestion::Ask(QWidget* parent, const QString& name) const
{
    return asker_(parent, QStringLiteral("Save changes to %1?").arg(name));
}

} // namespace tavex
