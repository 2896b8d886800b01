#include "app/toolkit/control_array.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tavex {

void CopyControlProperties(const QLineEdit& from, QLineEdit& to)
{
    to.setText(from.text());
    to.setAlignment(from.alignment());
    to.setMaxLength(from.maxLength());
    to.setReadOnly(from.isReadOnly());
}

void CopyControlProperties(const QLabel& from, QLabel& to)
{
    to.setText(from.text());
    to.setAlignment(from.alignment());
    to.setWordWrap(from.wordWrap());
    to.setTextFormat(from.textFormat());
}

void CopyControlProperties(const QCheckBox& from, QCheckBox& to)
{
    to.setText(from.text());
    to.setTristate(from.isTristate());
    to.setCheckState(from.checkState());
}

void CopyControlProperties(const QPushButton& from, QPushButton& to)
{
    to.setText(from.text());
    to.setAutoDefault(from.autoDefault());
}

void PlaceLikeOriginal(const QWidget& original, QWidget& copy)
{
    QWidget* parent = original.parentWidget();
    if (auto* grid = qobject_cast<QGridLayout*>(parent ? parent->layout() : nullptr)) {
        const int index = grid->indexOf(&original);
        if (index >= 0) {
            int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
            grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
            grid->addWidget(&copy, row, column, rowSpan, columnSpan, grid->itemAt(index)->alignment());
            return;
        }
    }
    copy.setGeometry(original.geometry());
}

QString ElementName(const QString& name, int k)
{
    return name + QLatin1Char('_') + QString::number(k);
}

} // namespace tavex
