#pragma once

#include <QSize>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace tavex {

// A question for a size in pixels, width by height, that opens on the last
// size given (at first 1600 x 1000). Replaceable by tests that script the
// user, as the file dialogs are.
class SizeBox final {
public:
    // Shows the question opened on `size`; the size given, or nothing when cancelled.
    using Asker = std::function<std::optional<QSize>(QWidget* parent, const QString& title, QSize size)>;

    // The platform's dialog: two spin boxes, OK and Cancel.
    SizeBox();
    explicit SizeBox(Asker asker);

    // The size given, which the next question opens on; nothing when cancelled.
    std::optional<QSize> Ask(QWidget* parent, const QString& title);

    // The sizes the platform's dialog allows.
    static constexpr int kLeast = 16;
    static constexpr int kMost = 10000;

private:
    Asker asker_;
    QSize size_{1600, 1000};
};

} // namespace tavex
