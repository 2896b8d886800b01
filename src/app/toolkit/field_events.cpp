#include "app/toolkit/field_events.h"

#include "app/toolkit/toolkit_application.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <cassert>

namespace tavex {

namespace {

QWidget* ResolveFocusProxy(QWidget* widget)
{
    while (widget && widget->focusProxy())
        widget = widget->focusProxy();
    return widget;
}

// Qt moves the focus on Tab whatever other modifiers are held (Ctrl+Tab too).
bool IsTabKey(const QKeyEvent& key)
{
    return key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab;
}

// Window activation and menus take Qt's focus away for a while without the
// window's focus moving.
bool IsWindowLevel(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason
        || reason == Qt::MenuBarFocusReason;
}

} // namespace

FieldEvents::FieldEvents(QWidget* window)
    : window_(window)
{
    assert(window && window->isWindow());
    ToolkitApplication::Instance()->Register(this);
}

FieldEvents::~FieldEvents()
{
    ToolkitApplication::Instance()->Unregister(this);
}

void FieldEvents::SetValidate(QWidget* control, Check accepts)
{
    assert(InWindow(control));
    events_[control].accepts = std::move(accepts);
}

void FieldEvents::SetGotFocus(QWidget* control, Handler handler)
{
    assert(InWindow(control));
    events_[control].gotFocus = std::move(handler);
}

void FieldEvents::SetLostFocus(QWidget* control, Handler handler)
{
    assert(InWindow(control));
    events_[control].lostFocus = std::move(handler);
}

void FieldEvents::SelectAllOnFocus(QLineEdit* box)
{
    assert(InWindow(box));
    events_[box].selectAll = true;
}

bool FieldEvents::InWindow(const QWidget* widget) const
{
    return widget && widget->window() == window_;
}

QWidget* FieldEvents::ClickFocusTarget(QWidget* pressed) const
{
    // Mirrors the way Qt gives the focus on a press: the first enabled widget
    // from the pressed one outwards that takes the focus by click, unless the
    // walk meets the window or the widget that has the focus.
    for (QWidget* widget = pressed; widget; widget = widget->parentWidget()) {
        QWidget* resolved = ResolveFocusProxy(widget);
        if (widget->isEnabled() && (widget->focusPolicy() & Qt::ClickFocus) == Qt::ClickFocus
            && (resolved->focusPolicy() & Qt::ClickFocus) == Qt::ClickFocus)
            return resolved;
        if (widget->isWindow() || resolved == window_->focusWidget())
            return nullptr;
    }
    return nullptr;
}

QWidget* FieldEvents::ShortcutFocusTarget(QWidget* receiver) const
{
    QWidget* target = receiver;
    if (auto* label = qobject_cast<QLabel*>(receiver))
        target = label->buddy();
    target = ResolveFocusProxy(target);
    if (!target || target->focusPolicy() == Qt::NoFocus || !target->isEnabled())
        return nullptr;
    return target;
}

bool FieldEvents::RefusesMoveTo(QWidget* target)
{
    QWidget* current = window_->focusWidget();
    if (!target || !current || target == current)
        return false;
    const auto found = events_.find(current);
    if (found == events_.end() || !found->second.accepts)
        return false;
    return !found->second.accepts();
}

bool FieldEvents::RefusesBeforeDelivery(QObject* receiver, QEvent* event)
{
    if (!receiver->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(receiver);
    if (!InWindow(widget))
        return false;

    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (widget != window_->focusWidget() || !IsTabKey(key))
            return false;
        // Tab leaves the field for some other control: which one does not matter.
        const auto found = events_.find(widget);
        return found != events_.end() && found->second.accepts && !found->second.accepts();
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // Only the window system's own presses move the focus.
        return event->spontaneous() && RefusesMoveTo(ClickFocusTarget(widget));
    case QEvent::Shortcut: {
        QWidget* target = ShortcutFocusTarget(widget);
        if (RefusesMoveTo(target))
            return true;
        // A mnemonic moves the focus to its control before acting, as a
        // click does; Qt's buttons would otherwise act with the focus left
        // behind, and the field would never see its lost-focus event.
        if (target && target != window_->focusWidget())
            target->setFocus(Qt::ShortcutFocusReason);
        return false;
    }
    case QEvent::FocusIn: {
        // The menu bar takes Qt's focus while a menu is worked by keyboard
        // and gives it back when the menu closes: no move of the window's focus.
        const Qt::FocusReason reason = static_cast<const QFocusEvent&>(*event).reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::MenuBarFocusReason)
            FocusArrived(widget, reason);
        return false;
    }
    case QEvent::FocusOut:
        if (!IsWindowLevel(static_cast<const QFocusEvent&>(*event).reason()))
            FocusLeft(widget);
        return false;
    default:
        return false;
    }
}

void FieldEvents::ReleaseDelivered(const QObject* receiver)
{
    // The box has placed its cursor, or dropped the selection a press inside
    // it may have started to drag; now the whole text is selected.
    if (selectAfterClick_ && selectAfterClick_ == receiver) {
        selectAfterClick_->selectAll();
        selectAfterClick_ = nullptr;
    }
}

void FieldEvents::FocusArrived(QWidget* control, Qt::FocusReason reason)
{
    if (control == logicalFocus_)
        return; // back from a menu or from another window
    if (logicalFocus_)
        FocusLeft(logicalFocus_);
    if (selectAfterClick_ && selectAfterClick_ != control)
        selectAfterClick_ = nullptr;
    logicalFocus_ = control;
    const auto found = events_.find(control);
    if (found == events_.end())
        return;
    if (found->second.selectAll) {
        auto* box = qobject_cast<QLineEdit*>(control);
        box->selectAll();
        // A click goes on to place the cursor; select again once it is done.
        if (reason == Qt::MouseFocusReason)
            selectAfterClick_ = box;
    }
    if (found->second.gotFocus)
        found->second.gotFocus();
}

void FieldEvents::FocusLeft(QWidget* control)
{
    if (control != logicalFocus_)
        return;
    logicalFocus_ = nullptr;
    const auto found = events_.find(control);
    if (found != events_.end() && found->second.lostFocus)
        found->second.lostFocus();
}

} // namespace tavex
