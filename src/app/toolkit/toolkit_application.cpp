#include "app/toolkit/toolkit_application.h"

#include "app/toolkit/field_events.h"
#include "app/toolkit/tool_window.h"

#include <QAccessible>
#include <QThread>

#include <algorithm>
#include <cassert>

namespace tavex {

ToolkitApplication::ToolkitApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
    // Where the user's settings live (the list of recent problems).
    setOrganizationName(QStringLiteral("Tavex"));
    setApplicationName(QStringLiteral("tavex"));
    QAccessible::installFactory(ToolWindowAccessible);
    installEventFilter(&windowKeys_);
}

ToolkitApplication::~ToolkitApplication()
{
    removeEventFilter(&windowKeys_);
    QAccessible::removeFactory(ToolWindowAccessible);
}

ToolkitApplication* ToolkitApplication::Instance()
{
    auto* app = dynamic_cast<ToolkitApplication*>(QCoreApplication::instance());
    assert(app && "windows need a ToolkitApplication");
    return app;
}

bool ToolkitApplication::notify(QObject* receiver, QEvent* event)
{
    // Windows live on this thread; Qt's own helper threads deliver events too.
    if (QThread::currentThread() != thread())
        return QApplication::notify(receiver, event);
    // A handler may create or destroy windows: walk a copy, and skip the
    // ones gone meanwhile.
    const auto registered = [this](FieldEvents* events) {
        return std::find(fieldEvents_.begin(), fieldEvents_.end(), events) != fieldEvents_.end();
    };
    const std::vector<FieldEvents*> current = fieldEvents_;
    for (FieldEvents* events : current)
        if (registered(events) && events->RefusesBeforeDelivery(receiver, event))
            return true;
    const QEvent::Type type = event->type();
    const bool delivered = QApplication::notify(receiver, event);
    // The receiver may be gone now: it is only compared, never used.
    for (FieldEvents* events : std::vector<FieldEvents*>(fieldEvents_))
        if (registered(events))
            events->Delivered(receiver, type);
    return delivered;
}

void ToolkitApplication::Register(FieldEvents* events)
{
    fieldEvents_.push_back(events);
}

void ToolkitApplication::Unregister(FieldEvents* events)
{
    std::erase(fieldEvents_, events);
}

void ToolkitApplication::SetHelpOpener(QObject* owner, std::function<void(const QString& anchor)> open)
{
    windowKeys_.SetHelpOpener(owner, std::move(open));
}

} // namespace tavex
