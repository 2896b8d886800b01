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
// user did.
//
// Each dialog says what it is for in its title. With name filters ("CSV
// files (*.csv)"), a save dialog gives a name typed without an extension the
// extension of the filter chosen; all files stay one choice away.
class CommonDialog final {
public:
    enum class Kind { Open, Save };
    // Shows a dialog of the kind, opened on fileName; the chosen path, or
    // nothing when it was cancelled.
    using Chooser = std::function<std::optional<QString>(QWidget* parent, Kind kind, const QString& fileName)>;

    // The platform's file dialog for the problem's pair: "Open problem" and
    // "Save problem as", no filter and no default extension.
    CommonDialog();
    // The platform's file dialog with a title and name filters, for the
    // dialogs that are not cdbFile; "All files (*)" is added when missing.
    CommonDialog(const QString& title, const QStringList& nameFilters);
    // Another chooser in its place, for tests that script the user. It is
    // asked whatever the title and filters.
    explicit CommonDialog(Chooser chooser);

    // True when a file was chosen (and fileName is now it).
    bool ShowOpen(QWidget* parent);
    bool ShowSave(QWidget* parent);
    // This once with a title and filters of its own: one dialog object, and
    // so one file name, serves two purposes.
    bool ShowSave(QWidget* parent, const QString& title, const QStringList& nameFilters);

    const QString& fileName() const { return fileName_; }
    void setFileName(const QString& fileName) { fileName_ = fileName; }

private:
    bool Show(QWidget* parent, Kind kind, const QString& title, const QStringList& nameFilters);

    Chooser chooser_; // empty: the platform's dialog
    QString openTitle_;
    QString saveTitle_;
    QStringList nameFilters_;
    QString fileName_;
};

// The extension that a name filter gives a name typed without one: "csv" of
// "CSV files (*.csv)", the first of several; empty for "All files (*)".
QString DefaultSuffixOf(const QString& nameFilter);

} // namespace tavex
