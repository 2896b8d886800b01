// The main window's File menu: Open, Save and Save As.
#include "app/main_window.h"

#include "app/command_end.h"
#include "app/coefficient_list_model.h"
#include "app/spec_panel.h"
#include "commands/file_commands.h"

#include <QAction>
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

    session_.isOpening = true;
    // The names box goes first: when the count box loses the focus by being
    // disabled, its lost-focus step then leaves the panels to this command.
    txtVarNams->setEnabled(false);
    txtOrder->setEnabled(false);
    // The count boxes of the other variables are copies of this one, disabled too.
    panels_.front()->txtTerms()->setEnabled(false);
    LoadObjects();
    ShowSpecs(opened.shown);
    ShowResults();

    // One problem per run.
    mnuOpen->setEnabled(false);
    mnuSave->setEnabled(true);
    mnuSaveAs->setEnabled(true);
    mnuPrint->setEnabled(true);
    mnuAbout->setVisible(true);
    session_.isOpening = false;
}

void MainWindow::ShowResults()
{
    if (!model_.isComputed)
        return;
    coeffLines->AppendListing(model_);
    cmdEvaluations->setEnabled(true);
    cmdPlot->setEnabled(true);
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
    if (const FileOutcome outcome = command::Save(model_, session_, PanelsShown(), path); !outcome.ok)
        ReportFailure(QString::fromStdString(outcome.message));
}

void MainWindow::ReportFailure(const QString& message)
{
    messages_.Tell(this, message);
}

} // namespace tavex
