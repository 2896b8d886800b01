#pragma once

#include <vector>

class QWidget;

namespace tavex {

// The tab positions of the controls of one window, 0 first. Giving a control
// a position takes it out of its old place and pushes the controls at that
// position and after it one place back; Qt's focus chain follows at once.
// Hidden and disabled controls keep their place and are skipped by Tab.
class TabOrder final {
public:
    explicit TabOrder(std::vector<QWidget*> designed);

    // -1 for a control that has no position.
    int PositionOf(const QWidget* control) const;
    // A position beyond the end puts the control last.
    void SetPosition(QWidget* control, int position);
    const std::vector<QWidget*>& Controls() const { return controls_; }

private:
    void Apply() const;

    std::vector<QWidget*> controls_;
};

} // namespace tavex
