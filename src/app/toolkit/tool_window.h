#pragma once

#include <QWidget>

#include <functional>

namespace tavex {

// A window that a command of the main window opens: its first field takes
// the focus when it shows (the window may have lost it to its parent being
// disabled while the main window waits for it), Escape closes it as its
// "Done" or "Exit" does, and it says when its data changed and when it is
// gone. Deleted on close.
class ToolWindow : public QWidget {
public:
    explicit ToolWindow(QWidget* parent);

    // The data changed: the coefficients computed before no longer belong to it.
    std::function<void()> onDataChanged;
    // The window is gone: the main window takes the input again.
    std::function<void()> onClosed;

protected:
    virtual QWidget* FirstField() const = 0;
    // What the window does as it closes, before onClosed.
    virtual void Closing() {}
    void DataChanged() const;

    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

} // namespace tavex
