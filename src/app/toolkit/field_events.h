#pragma once

#include <QPointer>

#include <functional>
#include <map>

class QEvent;
class QLineEdit;
class QObject;
class QWidget;

namespace tavex {

// The got-focus, validate and lost-focus events of the controls of one window.
//
// Validate: when the focus is about to move from a field with a check to
// another control of the same window (Tab, Shift+Tab, a mouse press on a
// control that takes the focus on click, a mnemonic), the check runs first;
// a refusal swallows the key, press or shortcut, so the focus stays, the
// field's lost-focus handler does not run and the click never happens.
// Menus and shortcuts of menu entries move no focus and run no check; neither
// do focus moves made by the program itself (setFocus).
//
// Got focus and lost focus follow the window's own focus, not the window's
// activation: opening a menu, or switching to another window and back, is
// neither.
//
// The window's owner destroys this before the window's controls, so that
// the controls' last focus events find no handler to run.
class FieldEvents final {
public:
    using Check = std::function<bool()>;
    using Handler = std::function<void()>;

    explicit FieldEvents(QWidget* window);
    ~FieldEvents();
    FieldEvents(const FieldEvents&) = delete;
    FieldEvents& operator=(const FieldEvents&) = delete;

    void SetValidate(QWidget* control, Check accepts);
    void SetGotFocus(QWidget* control, Handler handler);
    void SetLostFocus(QWidget* control, Handler handler);
    // The whole text is selected whenever the box gets the focus, also by a click.
    void SelectAllOnFocus(QLineEdit* box);

    // Called by ToolkitApplication before Qt sees the event; true: swallow it.
    bool RefusesBeforeDelivery(QObject* receiver, QEvent* event);
    // Called by ToolkitApplication once a mouse release has been handled.
    void ReleaseDelivered(const QObject* receiver);

private:
    struct Events {
        Check accepts;
        Handler gotFocus;
        Handler lostFocus;
        bool selectAll = false;
    };

    bool InWindow(const QWidget* widget) const;
    // The control a press on the widget would give the focus to, if any.
    QWidget* ClickFocusTarget(QWidget* pressed) const;
    QWidget* ShortcutFocusTarget(QWidget* receiver) const;
    // Runs the check of the window's focus field when the focus would move to target.
    bool RefusesMoveTo(QWidget* target);
    void FocusArrived(QWidget* control, Qt::FocusReason reason);
    void FocusLeft(QWidget* control);

    QWidget* window_;
    std::map<const QWidget*, Events> events_;
    QPointer<QWidget> logicalFocus_;     // the control whose got-focus ran last
    QPointer<QLineEdit> selectAfterClick_;
};

} // namespace tavex
