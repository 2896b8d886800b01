#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

namespace tavex {

// cdbFile's file dialogs. The file name is a property that outlives each
// dialog: the dialog opens on it, a confirmed choice replaces it, a cancelled
// dialog leaves it as it was. Callers read it back afterwards, whatever the
// user did. No filter, no default extension, no title of its own.
class CommonDialog final {
public:
    enum class Kind { Open, Save };
    // Shows a dialog of the kind, opened on fileName; the chosen path, or
    // nothing when it was cancelled.
    using Chooser = std::function<std::optional<QString>(QWidget* parent, Kind kind, const QString& fileName)>;

    // The platform's file dialog.
    CommonDialog();
    // The platform's file dialog with a title and name filters ("Tables (*.csv)"),
    // for the dialogs that are not cdbFile.
    CommonDialog(const QString& title, const QStringList& nameFilters);
    // Another chooser in its place, for tests that script the user.
    explicit CommonDialog(Chooser chooser);

    // True when a file was chosen (and fileName is now it).
    bool ShowOpen(QWidget* parent);
    bool ShowSave(QWidget* parent);

    const QString& fileName() const { return fileName_; }
    void setFileName(const QString& fileName) { fileName_ = fileName; }

private:
    bool Show(QWidget* parent, Kind kind);

    Chooser chooser_;
    QString fileName_;
};

} // namespace tavex
