#include "app/toolkit/size_box.h"

#include "app/toolkit/named.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>

#include <cassert>
#include <tuple>

namespace tavex {

namespace {

std::optional<QSize> AskWithDialog(QWidget* parent, const QString& title, QSize size)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("dlgSize"));
    dialog.setWindowTitle(title);
    const auto side = [&dialog](const char* name, int value) {
        auto* box = Named<QSpinBox>(name, &dialog);
        box->setRange(SizeBox::kLeast, SizeBox::kMost);
        box->setValue(value);
        box->setSuffix(QStringLiteral(" px"));
        return box;
    };
    QSpinBox* width = side("spnWidth", size.width());
    QSpinBox* height = side("spnHeight", size.height());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    auto* form = new QFormLayout(&dialog);
    for (const auto& [name, caption, box] : {std::tuple("lblWidth", "&Width:", width),
                                             std::tuple("lblHeight", "&Height:", height)}) {
        auto* label = Named<QLabel>(name, QString::fromLatin1(caption), &dialog);
        label->setBuddy(box);
        box->setAccessibleName(label->text().remove(QLatin1Char('&')).chopped(1));
        form->addRow(label, box);
    }
    form->addRow(buttons);
    // Room for the title in the title bar.
    dialog.setMinimumWidth(dialog.fontMetrics().horizontalAdvance(title) * 2 + 120);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return QSize(width->value(), height->value());
}

} // namespace

SizeBox::SizeBox()
    : asker_(AskWithDialog)
{
}

SizeBox::SizeBox(Asker asker)
    : asker_(std::move(asker))
{
}

std::optional<QSize> SizeBox::Ask(QWidget* parent, const QString& title)
{
    const std::optional<QSize> given = asker_(parent, title, size_);
    assert(!given || (given->width() >= kLeast && given->height() >= kLeast && given->width() <= kMost
                      && given->height() <= kMost));
    if (given)
        size_ = *given;
    return given;
}

} // namespace tavex
