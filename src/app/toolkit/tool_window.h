#pragma once

#include "app/toolkit/window_placement.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class QAccessibleInterface;
class QScrollArea;

namespace tavex {

// A window that a command of the main window opens: its first field takes
// the focus when it shows (the window may have lost it to its parent being
// disabled while the main window waits for it), Escape closes it as its
// "Done" or "Exit" does, and it says when its data changed and when it is
// gone. Deleted on close.
//
// It first shows over or beside its owner, wholly on the owner's screen; its
// content, laid out on Body(), scrolls where the screen is too small for it.
// A content of a fixed size (QLayout::SetFixedSize) sizes the window as it
// grows and shrinks.
class ToolWindow : public QWidget {
public:
    explicit ToolWindow(QWidget* parent, Placement placement = Placement::Centred);

    // For a window without a parent: the window it opens over or beside and
    // goes with. A window with a parent has its parent's window as owner.
    void SetOwner(QWidget* owner);

    // The whole content, not the part a scroll area would show.
    QSize sizeHint() const override;

    // The data changed: the coefficients computed before no longer belong to it.
    std::function<void()> onDataChanged;
    // The window is gone: the main window takes the input again.
    std::function<void()> onClosed;

protected:
    // What the window lays its controls out on.
    QWidget* Body() const { return body_; }
    virtual QWidget* FirstField() const = 0;
    // What the window does as it closes, before onClosed.
    virtual void Closing() {}
    void DataChanged() const;

    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* Owner() const;
    QMargins Frame() const;
    QRect Available() const;
    void Place();
    void FollowFixedBody();

    Placement placement_;
    QPointer<QWidget> owner_;
    QScrollArea* scroll_;
    QWidget* body_;
    bool placed_ = false;
    bool framed_ = false;
};

// Installed for the whole application: a tool window reaches a screen reader
// as a window named by its title, where Qt makes any plain QWidget a client
// area (AT-SPI's "filler"), a window of its own or not.
QAccessibleInterface* ToolWindowAccessible(const QString& className, QObject* object);

} // namespace tavex
