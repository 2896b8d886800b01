#include "app/toolkit/tab_order.h"

#include <QWidget>

#include <algorithm>
#include <cassert>

namespace tavex {

TabOrder::TabOrder(std::vector<QWidget*> designed)
    : controls_(std::move(designed))
{
    Apply();
}

int TabOrder::PositionOf(const QWidget* control) const
{
    const auto found = std::find(controls_.begin(), controls_.end(), control);
    return found == controls_.end() ? -1 : static_cast<int>(found - controls_.begin());
}

void TabOrder::SetPosition(QWidget* control, int position)
{
    assert(control && position >= 0);
    std::erase(controls_, control);
    const auto at = std::min(static_cast<std::size_t>(position), controls_.size());
    controls_.insert(controls_.begin() + static_cast<std::ptrdiff_t>(at), control);
    Apply();
}

void TabOrder::Apply() const
{
    for (std::size_t i = 1; i < controls_.size(); ++i)
        QWidget::setTabOrder(controls_[i - 1], controls_[i]);
}

} // namespace tavex
