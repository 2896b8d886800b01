#include "app/toolkit/common_dialog.h"

#include <QFileDialog>

namespace tavex {

namespace {

std::optional<QString> ChooseWithFileDialog(QWidget* parent, CommonDialog::Kind kind, const QString& fileName,
                                            const QString& title = {}, const QStringList& nameFilters = {})
{
    QFileDialog dialog(parent, title);
    dialog.setObjectName(QStringLiteral("cdbFile"));
    if (!nameFilters.isEmpty())
        dialog.setNameFilters(nameFilters);
    dialog.setAcceptMode(kind == CommonDialog::Kind::Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    // A name that does not exist may be typed in either dialog: Open reports it.
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!fileName.isEmpty())
        dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

} // namespace

CommonDialog::CommonDialog()
    : chooser_([](QWidget* parent, Kind kind, const QString& fileName) {
          return ChooseWithFileDialog(parent, kind, fileName);
      })
{
}

CommonDialog::CommonDialog(const QString& title, const QStringList& nameFilters)
    : chooser_([title, nameFilters](QWidget* parent, Kind kind, const QString& fileName) {
          return ChooseWithFileDialog(parent, kind, fileName, title, nameFilters);
      })
{
}

CommonDialog::CommonDialog(Chooser chooser)
    : chooser_(std::move(chooser))
{
}

bool CommonDialog::ShowOpen(QWidget* parent)
{
    return Show(parent, Kind::Open);
}

bool CommonDialog::ShowSave(QWidget* parent)
{
    return Show(parent, Kind::Save);
}

bool CommonDialog::Show(QWidget* parent, Kind kind)
{
    const std::optional<QString> chosen = chooser_(parent, kind, fileName_);
    if (chosen)
        fileName_ = *chosen;
    return chosen.has_value();
}

} // namespace tavex
