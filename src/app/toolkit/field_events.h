#pragma once

#include <QEvent>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>

class QLineEdit;
class QObject;

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
// Got focus and lost focus follow the window's own focus widget, compared
// before and after every event the application handles: they run whether or
// not the window is active (an X server without a window manager never
// activates it; Qt then sends no focus events at all), and opening a menu or
// switching to another window and back is neither. A focus left on a control
// that was hidden or disabled moves on to the next one, as Qt does for an
// active window only.
//
// The window's owner destroys this before the window's controls, so that
// their last events find no handler to run.
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

    // A command is about to act on what the window holds: the field being
    // edited is settled as leaving it would settle it, its check and then its
    // lost-focus step; when it keeps the focus it starts afresh with its
    // got-focus step. False when the check refuses: the field keeps the
    // focus and the command must do nothing.
    bool Settle();

    // The control whose got-focus step ran last and whose lost-focus step has not.
    QWidget* FieldWithFocus() const { return logicalFocus_; }

    // Called by ToolkitApplication before Qt sees the event; true: swallow it.
    bool RefusesBeforeDelivery(QObject* receiver, QEvent* event);
    // Called by ToolkitApplication once Qt has handled the event.
    void Delivered(const QObject* receiver, QEvent::Type type);

private:
    struct Events {
        Check accepts;
        Handler gotFocus;
        Handler lostFocus;
        bool selectAll = false;
    };

    bool InWindow(const QWidget* widget) const;
    bool Refuses(QWidget* field);
    // The control a press on the widget would give the focus to, if any.
    QWidget* ClickFocusTarget(QWidget* pressed) const;
    QWidget* ShortcutFocusTarget(QWidget* receiver) const;
    // Runs the check of the field being edited when the focus would move to target.
    bool RefusesMoveTo(QWidget* target);
    // The window's focus widget as the steps see it: the menu bar's
    // borrowing of the focus is no move, a hidden or disabled control none.
    QWidget* WindowFocus() const;
    void MoveFocusOffUnusableControl();
    // Runs the lost-focus and got-focus steps until they agree with the window's focus.
    void FollowFocus();
    void RunLostFocus(QWidget* control);
    void RunGotFocus(QWidget* control);

    QWidget* window_;
    std::map<const QWidget*, Events> events_;
    QPointer<QWidget> logicalFocus_;
    QPointer<QLineEdit> selectAfterClick_;
    bool following_ = false;
    // A press is being delivered: the focus it gives comes by mouse.
    bool pressing_ = false;
};

} // namespace tavex
