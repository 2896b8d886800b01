// The main window's File menu: New, Open, Open recent, Import table, Save, Save As and Export coefficients.
#include "app/main_window.h"

#include "app/command_end.h"
#include "app/coefficient_list_model.h"
#include "app/spec_panel.h"
#include "commands/export_command.h"
#include "commands/file_commands.h"
#include "commands/import_command.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>

namespace tavex {

bool MainWindow::MaybeSave()
{
    // Before the names are accepted there is nothing Save could keep.
    if (session_.stage != Stage::Specs)
        return true;
    // A panel's box being edited counts as typed work, also when its text cannot be settled yet.
    const auto* editing = qobject_cast<const QLineEdit*>(fieldEvents_->FieldWithFocus());
    if (!model_.IsModified() && !(editing && TypedIn(editing)))
        return true;
    switch (saveQuestion_.Ask(this, ProblemName())) {
    case SaveAnswer::Save:
        return SaveCommand();
    case SaveAnswer::Discard:
        return true;
    case SaveAnswer::Cancel:
        break;
    }
    return false;
}

void MainWindow::NewCommand()
{
    const CommandEnd check(*this);
    if (!MaybeSave())
        return;
    model_ = ProblemModel();
    session_ = NextSession(session_);
    ResetWindow();
}

void MainWindow::OpenCommand()
{
    const CommandEnd check(*this);
    if (!MaybeSave())
        return;
    // Cancelled, the dialog opens nothing: not even the name it last held,
    // which would replace the problem the user chose to keep.
    if (!cdbFile_.ShowOpen(this))
        return;
    const std::string path = cdbFile_.fileName().toStdString();
    if (!path.empty())
        OpenProblem(path);
}

void MainWindow::OpenRecent(const QString& path)
{
    const CommandEnd check(*this);
    if (!MaybeSave())
        return;
    cdbFile_.setFileName(path);
    OpenProblem(path.toStdString());
}

void MainWindow::OpenProblem(const std::string& path)
{
    // Both files are read whole into a problem of their own: a pair that
    // cannot be read is reported and leaves the problem and the window as they were.
    ProblemModel opened;
    Session session = NextSession(session_);
    const command::OpenResult result = command::Open(opened, session, path);
    if (!result.outcome.ok) {
        recent_.Remove(QString::fromStdString(path));
        ReportFailure(QString::fromStdString(result.outcome.message));
        return;
    }
    // The pair's own name, also when its data file was picked.
    const QString problemFile = QString::fromStdString(session.problemFile);
    recent_.Add(problemFile);
    cdbFile_.setFileName(problemFile);
    ShowOpenedProblem(std::move(opened), std::move(session), result.shown);
}

void MainWindow::ImportCommand()
{
    const CommandEnd check(*this);
    if (!MaybeSave())
        return;
    if (!importDialog_.ShowOpen(this))
        return;
    const std::string path = importDialog_.fileName().toStdString();
    // The table is read whole before anything changes, as a problem pair is.
    ProblemModel imported;
    Session session = NextSession(session_);
    const command::OpenResult result = command::ImportTable(imported, session, path, {});
    if (!result.outcome.ok) {
        ReportFailure(QString::fromStdString(result.outcome.message));
        return;
    }
    ShowOpenedProblem(std::move(imported), std::move(session), result.shown);
}

void MainWindow::ShowOpenedProblem(ProblemModel&& opened, Session&& session, const ShownSpecs& shown)
{
    model_ = std::move(opened);
    session_ = std::move(session);
    ResetWindow();
    session_.isOpening = true;
    session_.stage = Stage::Specs;
    // The names box goes first: when the count box loses the focus by being
    // disabled, its lost-focus step then leaves the panels to this command.
    UpdateCommands();
    // The count boxes of the other variables are copies of this one, disabled too.
    panels_.front()->txtTerms()->setEnabled(false);
    LoadObjects();
    ShowSpecs(shown);
    ShowResults();
    session_.isOpening = false;
}

void MainWindow::ShowResults()
{
    if (!model_.IsComputed())
        return;
    coeffLines->AppendListing(model_);
    MeasureFitLater();
}

bool MainWindow::SaveCommand()
{
    if (!fieldEvents_->Settle())
        return false;
    std::string path = session_.problemFile;
    if (path.empty()) {
        if (!cdbFile_.ShowSave(this))
            return false;
        path = cdbFile_.fileName().toStdString();
    }
    return !path.empty() && SaveProblem(path);
}

bool MainWindow::SaveAsCommand()
{
    if (!fieldEvents_->Settle())
        return false;
    // A cancelled dialog leaves its name as it was, and that name is saved to.
    cdbFile_.ShowSave(this);
    const std::string path = cdbFile_.fileName().toStdString();
    return !path.empty() && SaveProblem(path);
}

bool MainWindow::SaveProblem(const std::string& path)
{
    const CommandEnd check(*this);
    const command::SaveResult saved = command::Save(model_, session_, PanelsShown(), path);
    if (!saved.outcome.ok) {
        ReportFailure(QString::fromStdString(saved.outcome.message));
        return false;
    }
    recent_.Add(QString::fromStdString(path));
    messageLine_.Say(nullptr, saved.note.empty() ? QStringLiteral("Saved %1.").arg(ProblemName())
                                                 : QString::fromStdString(saved.note));
    return true;
}

void MainWindow::UpdateRecentMenu()
{
    mnuRecent->clear();
    const QStringList paths = recent_.Paths();
    for (int i = 0; i < paths.size(); ++i) {
        const QString& path = paths[i];
        // "&1 name" gives each entry its digit as its key; the whole path is its tip.
        QAction* entry = mnuRecent->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
        entry->setObjectName(QStringLiteral("mnuRecent_%1").arg(i));
        entry->setToolTip(path);
        entry->setStatusTip(path);
        connect(entry, &QAction::triggered, this, [this, path] { OpenRecent(path); });
    }
}

void MainWindow::ExportCommand()
{
    const CommandEnd check(*this);
    // The dialog is shared with the plot's export: a plot's name is no name
    // for coefficients, so it is offered as a CSV file in the same folder.
    const QFileInfo current(exportDialog_.fileName());
    static const QStringList kSuffixes{"csv", "json", "c", "hpp", "py", "f90", "js", "m"};
    if (!kSuffixes.contains(current.suffix().toLower())) {
        const QString name = QStringLiteral("coefficients.csv");
        exportDialog_.setFileName(current.fileName().isEmpty() ? name : current.dir().filePath(name));
    }
    if (!exportDialog_.ShowSave(this, QStringLiteral("Export coefficients"),
                                {QStringLiteral("CSV files (*.csv)"), QStringLiteral("JSON files (*.json)"),
                                 QStringLiteral("C source (*.c)"), QStringLiteral("C++ header (*.hpp)"),
                                 QStringLiteral("Python (*.py)"), QStringLiteral("Fortran (*.f90)"),
                                 QStringLiteral("JavaScript (*.js)"), QStringLiteral("MATLAB/Octave (*.m)")}))
        return;
    const std::string path = exportDialog_.fileName().toStdString();
    command::ExportOptions options;
    options.name = command::CodeNameFor(path);
    const FileOutcome outcome =
        command::ExportCoefficients(model_, session_.problemFile, path, command::ExportFormatFor(path), options);
    if (!outcome.ok)
        ReportFailure(QString::fromStdString(outcome.message));
}

void MainWindow::ReportFailure(const QString& message)
{
    messages_.Tell(this, message);
}

} // namespace tavex
