#pragma once

#include <QWidget>

namespace tavex {

// frmAbout: a plain window that shows the program's name and its maker; a
// click anywhere on it closes it.
class AboutWindow final : public QWidget {
public:
    explicit AboutWindow(QWidget* parent = nullptr);

    // The lines shown, the empty ones included, top to bottom.
    static QStringList Lines();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

// Shows a new about window, not modal; it deletes itself when closed.
AboutWindow* ShowAbout(QWidget* parent = nullptr);

} // namespace tavex
