#pragma once

#include <QStyledItemDelegate>

namespace tavex {

// Draws the lines of lstCoeff. All lines share one size, which the view
// takes from the first; it is made as wide as the longest line without its
// trailing blanks, so that the view scrolls far enough to show every term.
class ListingDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace tavex
