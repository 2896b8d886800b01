#include "app/listing_delegate.h"

#include "app/coefficient_list_model.h"

#include <QFontMetrics>

namespace tavex {

QSize ListingDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const int widest = index.data(CoefficientListModel::kWidestLineRole).toInt();
    // A fixed-pitch font: every character as wide as a digit; one more for the margins.
    const int width = QFontMetrics(option.font).horizontalAdvance(QString(widest + 1, QLatin1Char('0')));
    size.setWidth(width);
    return size;
}

} // namespace tavex
