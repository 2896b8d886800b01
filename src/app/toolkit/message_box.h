#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace tavex {

// A window's message boxes: a message with the warning icon and an OK
// button, titled with the window's title. Replaceable by tests that script
// the user, as the file dialogs are.
class MessageBox final {
public:
    using Shower = std::function<void(QWidget* parent, const QString& title, const QString& text)>;

    // The platform's message box.
    MessageBox();
    // Another shower in its place.
    explicit MessageBox(Shower shower);

    void Tell(QWidget* parent, const QString& text) const;

private:
    Shower shower_;
};

} // namespace tavex
