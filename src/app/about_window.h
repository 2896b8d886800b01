#pragma once

#include "app/toolkit/tool_window.h"

class QPushButton;

namespace tavex {

// frmAbout: the program's name, its version and its maker; a click anywhere
// on it closes it, as do its Close button and Escape.
class AboutWindow final : public ToolWindow {
public:
    // Over `owner`, and gone with it; without one, in the middle of the screen.
    explicit AboutWindow(QWidget* owner = nullptr);

    // The lines shown, the empty ones included, top to bottom.
    static QStringList Lines();
    // The version the build gave the program.
    static QString Version();

protected:
    QWidget* FirstField() const override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QPushButton* cmdClose = nullptr;
};

// Shows a new about window, not modal; it deletes itself when closed.
AboutWindow* ShowAbout(QWidget* owner = nullptr);

} // namespace tavex
