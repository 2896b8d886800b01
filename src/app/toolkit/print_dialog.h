#pragma once

#include <functional>

class QPrinter;
class QWidget;

namespace tavex {

// cdbFile's print dialog. It only sets up the printer: whatever the user does
// there, Cancel included, the caller prints on, with the printer as the
// dialog left it (a cancelled dialog leaves it as it was).
class PrintDialog final {
public:
    // Lets the user set up the printer.
    using Chooser = std::function<void(QWidget* parent, QPrinter& printer)>;

    // The platform's print dialog.
    PrintDialog();
    // Another chooser in its place, for tests that script the user.
    explicit PrintDialog(Chooser chooser);

    void Show(QWidget* parent, QPrinter& printer) const;

private:
    Chooser chooser_;
};

} // namespace tavex
