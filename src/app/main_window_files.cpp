// The main window's File menu: Open, Import table, Save, Save As and Export coefficients.
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
#include <QPushButton>

namespace tavex {

void MainWindow::OpenProblem()
{
    const CommandEnd check(*this);
    cdbFile_.ShowOpen(this);
    const std::string path = cdbFile_.fileName().toStdString();
    if (path.empty())
        return;

    // Both files are read whole before anything changes: a pair that cannot
    // be read is reported and leaves the problem and the window as they were.
    const command::OpenResult opened = command::Open(model_, session_, path);
    if (!opened.outcome.ok) {
        ReportFailure(QString::fromStdString(opened.outcome.message));
        return;
    }

    ShowOpenedProblem(opened.shown);
}

void MainWindow::ImportCommand()
{
    const CommandEnd check(*this);
    if (!importDialog_.ShowOpen(this))
        return;
    const std::string path = importDialog_.fileName().toStdString();
    // The table is read whole before anything changes, as a problem pair is.
    const command::OpenResult imported = command::ImportTable(model_, session_, path, {});
    if (!imported.outcome.ok) {
        ReportFailure(QString::fromStdString(imported.outcome.message));
        return;
    }
    ShowOpenedProblem(imported.shown);
}

void MainWindow::ShowOpenedProblem(const ShownSpecs& shown)
{
    session_.isOpening = true;
    // The names box goes first: when the count box loses the focus by being
    // disabled, its lost-focus step then leaves the panels to this command.
    txtVarNams->setEnabled(false);
    txtOrder->setEnabled(false);
    // The count boxes of the other variables are copies of this one, disabled too.
    panels_.front()->txtTerms()->setEnabled(false);
    LoadObjects();
    ShowSpecs(shown);
    ShowResults();

    // One problem per run.
    mnuOpen->setEnabled(false);
    mnuImport->setEnabled(false);
    mnuSave->setEnabled(true);
    mnuSaveAs->setEnabled(true);
    mnuPrint->setEnabled(true);
    mnuAbout->setVisible(true);
    session_.isOpening = false;
}

void MainWindow::ShowResults()
{
    if (!model_.IsComputed())
        return;
    coeffLines->AppendListing(model_);
    cmdEvaluations->setEnabled(true);
    cmdPlot->setEnabled(true);
    mnuExport->setEnabled(true);
}

void MainWindow::SaveCommand()
{
    if (!fieldEvents_->Settle())
        return;
    std::string path = session_.problemFile;
    if (path.empty()) {
        cdbFile_.ShowSave(this);
        path = cdbFile_.fileName().toStdString();
    }
    if (!path.empty())
        SaveProblem(path);
}

void MainWindow::SaveAsCommand()
{
    if (!fieldEvents_->Settle())
        return;
    // A cancelled dialog leaves its name as it was, and that name is saved to.
    cdbFile_.ShowSave(this);
    const std::string path = cdbFile_.fileName().toStdString();
    if (!path.empty())
        SaveProblem(path);
}

void MainWindow::SaveProblem(const std::string& path)
{
    const CommandEnd check(*this);
    if (const FileOutcome outcome = command::Save(model_, session_, PanelsShown(), path).outcome; !outcome.ok)
        ReportFailure(QString::fromStdString(outcome.message));
}

void MainWindow::ExportCommand()
{
    const CommandEnd check(*this);
    // The dialog is shared with the plot's export: a plot's name is no name
    // for coefficients, so it is offered as a CSV file in the same folder.
    const QFileInfo current(exportDialog_.fileName());
    const QString suffix = current.suffix().toLower();
    if (suffix != QLatin1String("csv") && suffix != QLatin1String("json")) {
        const QString name = QStringLiteral("coefficients.csv");
        exportDialog_.setFileName(current.fileName().isEmpty() ? name : current.dir().filePath(name));
    }
    if (!exportDialog_.ShowSave(this))
        return;
    const std::string path = exportDialog_.fileName().toStdString();
    const FileOutcome outcome =
        command::ExportCoefficients(model_, session_.problemFile, path, command::ExportFormatFor(path));
    if (!outcome.ok)
        ReportFailure(QString::fromStdString(outcome.message));
}

void MainWindow::ReportFailure(const QString& message)
{
    messages_.Tell(this, message);
}

} // namespace tavex
