#pragma once

#include <QApplication>

#include <vector>

namespace tavex {

class FieldEvents;

// The application object of every Tavex process with windows. It sees each
// event before Qt acts on it, which is the only place where a focus move can
// still be refused: by the time a widget or an event filter sees a mouse
// press, Qt has already moved the focus to the control under the pointer.
// Its tool windows reach a screen reader as windows.
class ToolkitApplication final : public QApplication {
public:
    ToolkitApplication(int& argc, char** argv);
    ~ToolkitApplication() override;

    static ToolkitApplication* Instance();

    bool notify(QObject* receiver, QEvent* event) override;

    void Register(FieldEvents* events);
    void Unregister(FieldEvents* events);

private:
    std::vector<FieldEvents*> fieldEvents_;
};

} // namespace tavex
