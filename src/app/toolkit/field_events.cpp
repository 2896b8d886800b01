#include "app/toolkit/field_events.h"

#include "app/toolkit/toolkit_application.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QWidget>

#include <cassert>

namespace tavex {

namespace {

// A handler may move the focus on from a control it has just been given;
// a chain of such moves longer than this is a loop between handlers.
constexpr int kMostFocusSteps = 16;

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

bool UsableIn(const QWidget* control, const QWidget* window)
{
    return control->isEnabledTo(window) && control->isVisibleTo(window);
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

bool FieldEvents::Refuses(QWidget* field)
{
    const auto found = events_.find(field);
    if (found == events_.end() || !found->second.accepts)
        return false;
    // A copy: the check may add controls of its own.
    const Check accepts = found->second.accepts;
    return !accepts();
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
    QWidget* current = logicalFocus_;
    if (!target || !current || target == current)
        return false;
    return Refuses(current);
}

bool FieldEvents::RefusesBeforeDelivery(QObject* receiver, QEvent* event)
{
    FollowFocus();
    if (!receiver->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(receiver);
    if (!InWindow(widget))
        return false;

    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (widget != logicalFocus_ || !IsTabKey(key))
            return false;
        // Tab leaves the field for some other control: which one does not matter.
        return Refuses(widget);
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // Only the window system's own presses move the focus.
        if (event->spontaneous() && RefusesMoveTo(ClickFocusTarget(widget)))
            return true;
        pressing_ = true;
        return false;
    case QEvent::Shortcut: {
        QWidget* target = ShortcutFocusTarget(widget);
        if (RefusesMoveTo(target))
            return true;
        // A mnemonic moves the focus to its control before acting, as a
        // click does; Qt's buttons would otherwise act with the focus left
        // behind, before the field's lost-focus step.
        if (target && target != window_->focusWidget()) {
            target->setFocus(Qt::ShortcutFocusReason);
            FollowFocus();
        }
        return false;
    }
    default:
        return false;
    }
}

void FieldEvents::Delivered(const QObject* receiver, QEvent::Type type)
{
    // The box has placed its cursor, or dropped the selection a press inside
    // it may have started to drag; now the whole text is selected.
    if (type == QEvent::MouseButtonRelease && selectAfterClick_ && selectAfterClick_ == receiver) {
        selectAfterClick_->selectAll();
        selectAfterClick_ = nullptr;
    }
    FollowFocus();
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)
        pressing_ = false;
}

bool FieldEvents::Settle()
{
    FollowFocus();
    QWidget* field = logicalFocus_;
    if (!field)
        return true;
    const auto found = events_.find(field);
    if (found == events_.end())
        return true;
    if (Refuses(field))
        return false;
    const Handler lostFocus = found->second.lostFocus;
    const Handler gotFocus = found->second.gotFocus;
    following_ = true;
    if (lostFocus)
        lostFocus();
    following_ = false;
    if (WindowFocus() == field) {
        if (gotFocus)
            gotFocus();
    } else {
        logicalFocus_ = nullptr; // its lost-focus step has run
    }
    FollowFocus();
    return true;
}

QWidget* FieldEvents::WindowFocus() const
{
    QWidget* focus = window_->focusWidget();
    if (qobject_cast<QMenuBar*>(focus))
        return logicalFocus_;
    if (focus && !UsableIn(focus, window_))
        return nullptr;
    return focus;
}

void FieldEvents::MoveFocusOffUnusableControl()
{
    QWidget* focus = window_->focusWidget();
    if (!focus || qobject_cast<QMenuBar*>(focus) || UsableIn(focus, window_))
        return;
    for (QWidget* next = focus->nextInFocusChain(); next && next != focus; next = next->nextInFocusChain()) {
        if (InWindow(next) && (next->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && UsableIn(next, window_)) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void FieldEvents::FollowFocus()
{
    if (following_)
        return;
    following_ = true;
    for (int step = 0; step < kMostFocusSteps; ++step) {
        MoveFocusOffUnusableControl();
        QWidget* now = WindowFocus();
        if (now == logicalFocus_)
            break;
        QPointer<QWidget> before = logicalFocus_;
        logicalFocus_ = now;
        if (before)
            RunLostFocus(before);
        // A lost-focus step may move the focus on by itself.
        if (now && WindowFocus() == now)
            RunGotFocus(now);
    }
    following_ = false;
}

void FieldEvents::RunLostFocus(QWidget* control)
{
    if (selectAfterClick_ == control)
        selectAfterClick_ = nullptr;
    const auto found = events_.find(control);
    if (found != events_.end() && found->second.lostFocus) {
        const Handler handler = found->second.lostFocus;
        handler();
    }
}

void FieldEvents::RunGotFocus(QWidget* control)
{
    const auto found = events_.find(control);
    if (found == events_.end())
        return;
    if (found->second.selectAll) {
        auto* box = qobject_cast<QLineEdit*>(control);
        box->selectAll();
        // A click goes on to place the cursor; select again once it is done.
        if (pressing_)
            selectAfterClick_ = box;
    }
    if (found->second.gotFocus) {
        const Handler handler = found->second.gotFocus;
        handler();
    }
}

} // namespace tavex
