// The main window's File menu: Open, Save and Save As.
#include "app/main_window.h"

#include "app/coefficient_list_model.h"
#include "io/problem_file_reader.h"
#include "io/problem_files.h"

#include <QAction>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace tavex {

void MainWindow::OpenProblem()
{
    cdbFile_.ShowOpen(this);
    const std::string path = cdbFile_.fileName().toStdString();
    if (path.empty())
        return;

    // Both files are read whole before anything changes: a pair that cannot
    // be read is reported and leaves the problem and the window as they were.
    OpenedProblem opened;
    if (const FileOutcome outcome = ReadProblemFiles(path, model_, opened); !outcome.ok) {
        ReportFailure(QString::fromStdString(outcome.message));
        return;
    }

    model_.isOpening = true;
    // The names box goes first: when the count box loses the focus by being
    // disabled, its lost-focus handler then leaves the panels to this command.
    txtVarNams->setEnabled(false);
    txtOrder->setEnabled(false);
    // The count boxes of the other variables are copies of this one, disabled too.
    (*txtTerms)[0]->setEnabled(false);

    // The panels are created before the problem read takes the model's place,
    // so that shaping the tables from the new count boxes cannot touch it.
    model_.lastVar = opened.model.lastVar;
    LoadObjects();
    model_ = std::move(opened.model);
    model_.isOpening = true;

    // The center and period boxes show the file's own texts; SetDisplayedSpecs fills the rest.
    for (int k = 0; k <= model_.lastVar; ++k) {
        const auto slot = static_cast<std::size_t>(k);
        (*txtExpansion)[k]->setText(QString::fromStdString(opened.entries.centerText[slot]));
        (*txtPeriod)[k]->setText(QString::fromStdString(opened.entries.periodText[slot]));
    }
    SetDisplayedSpecs();
    ShowResults();

    // One problem per run.
    mnuOpen->setEnabled(false);
    mnuSave->setEnabled(true);
    mnuSaveAs->setEnabled(true);
    mnuPrint->setEnabled(true);
    mnuAbout->setVisible(true);
    model_.isOpening = false;
}

void MainWindow::ShowResults()
{
    if (!model_.isComputed)
        return;
    coeffLines->AppendListing(model_);
    cmdEvaluations->setEnabled(true);
}

void MainWindow::SaveCommand()
{
    std::string path = model_.problemFile;
    if (path.empty()) {
        cdbFile_.ShowSave(this);
        path = cdbFile_.fileName().toStdString();
    }
    if (!path.empty())
        SaveProblem(path);
}

void MainWindow::SaveAsCommand()
{
    // A cancelled dialog leaves its name as it was, and that name is saved to.
    cdbFile_.ShowSave(this);
    const std::string path = cdbFile_.fileName().toStdString();
    if (!path.empty())
        SaveProblem(path);
}

void MainWindow::SaveProblem(const std::string& path)
{
    if (!ReadSpecs()) {
        ReportFailure(QStringLiteral("A \"# of values\" entry holds fewer than 2 values; nothing was saved."));
        return;
    }
    if (const FileOutcome outcome = SaveProblemFiles(model_, path); !outcome.ok) {
        ReportFailure(QString::fromStdString(outcome.message));
        return;
    }
    model_.problemFile = path;
}

void MainWindow::ReportFailure(const QString& message)
{
    QMessageBox::warning(this, windowTitle(), message);
}

} // namespace tavex
