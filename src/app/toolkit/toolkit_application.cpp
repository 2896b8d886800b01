#include "app/toolkit/toolkit_application.h"

#include "app/toolkit/field_events.h"

#include <algorithm>
#include <cassert>

namespace tavex {

ToolkitApplication::ToolkitApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

ToolkitApplication::~ToolkitApplication() = default;

ToolkitApplication* ToolkitApplication::Instance()
{
    auto* app = dynamic_cast<ToolkitApplication*>(QCoreApplication::instance());
    assert(app && "windows need a ToolkitApplication");
    return app;
}

bool ToolkitApplication::notify(QObject* receiver, QEvent* event)
{
    // A handler may create or destroy windows: walk a copy.
    const std::vector<FieldEvents*> current = fieldEvents_;
    for (FieldEvents* events : current) {
        if (std::find(fieldEvents_.begin(), fieldEvents_.end(), events) == fieldEvents_.end())
            continue;
        if (events->RefusesBeforeDelivery(receiver, event))
            return true;
    }
    return QApplication::notify(receiver, event);
}

void ToolkitApplication::Register(FieldEvents* events)
{
    fieldEvents_.push_back(events);
}

void ToolkitApplication::Unregister(FieldEvents* events)
{
    std::erase(fieldEvents_, events);
}

} // namespace tavex
