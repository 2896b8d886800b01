#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QWidget;

namespace tavex {

// The section of the help file about `window` (an anchor in it, "" its top):
// F1 in the window, or in a window of its own without a section, opens Help there.
void SetHelpSection(QWidget* window, const QString& anchor);
QString HelpSectionOf(const QWidget* widget);

// The keys every window of the program answers alike, watched for the whole
// application. Enter (Return or the keypad's) clicks the push button with the
// focus, as Space does; in a dialog Qt's own rule stands, so that its default
// button stays the default. F1 opens Help at the section of the window it is
// pressed in, unless a modal dialog is up, over which Help could not be read.
class WindowKeys final : public QObject {
public:
    // F1 calls `open` with the section while `owner` lives; before and after, F1 does nothing.
    void SetHelpOpener(QObject* owner, std::function<void(const QString& anchor)> open);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QObject> helpOwner_;
    std::function<void(const QString& anchor)> openHelp_;
};

} // namespace tavex
