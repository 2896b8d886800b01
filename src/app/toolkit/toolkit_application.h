#pragma once

#include "app/toolkit/window_keys.h"

#include <QApplication>

#include <functional>
#include <vector>

namespace tavex {

class FieldEvents;

// The application object of every Tavex process with windows. It sees each
// event before Qt acts on it, which is the only place where a focus move can
// still be refused: by the time a widget or an event filter sees a mouse
// press, Qt has already moved the focus to the control under the pointer.
// Every window answers Enter and F1 alike through it (WindowKeys), and its
// tool windows reach a screen reader as windows.
class ToolkitApplication final : public QApplication {
public:
    ToolkitApplication(int& argc, char** argv);
    ~ToolkitApplication() override;

    static ToolkitApplication* Instance();

    bool notify(QObject* receiver, QEvent* event) override;

    void Register(FieldEvents* events);
    void Unregister(FieldEvents* events);

    // F1 in any window calls `open` with the window's help section while `owner` lives.
    void SetHelpOpener(QObject* owner, std::function<void(const QString& anchor)> open);

private:
    std::vector<FieldEvents*> fieldEvents_;
    WindowKeys windowKeys_;
};

} // namespace tavex
