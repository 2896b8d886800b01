// The main window's compute command, the fit line, and the evaluation and plot windows.
#include "app/main_window.h"

#include "app/command_end.h"
#include "app/coefficient_list_model.h"
#include "app/evaluation_window.h"
#include "app/plot_window.h"
#include "app/toolkit/busy_pointer.h"
#include "commands/command_states.h"
#include "commands/compute_command.h"
#include "commands/evaluate_command.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFutureWatcher>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QtConcurrent/QtConcurrentRun>

namespace tavex {

namespace {

const QString kWarningLook = QStringLiteral("QLabel { background: #fff3cd; color: #5c4400; "
                                            "border: 1px solid #e0b000; padding: 3px; }");

} // namespace

void MainWindow::ComputeCommand()
{
    const CommandEnd check(*this);
    if (!fieldEvents_->Settle())
        return;
    command::ComputeResult result;
    {
        BusyPointer busy;
        // The figures follow off this thread: the listing shows as soon as the coefficients are in.
        result = command::Compute(model_, session_, PanelsShown(), false);
    }
    if (result.listCleared)
        ClearListing();
    if (!result.refusal.empty())
        ReportFailure(QString::fromStdString(result.refusal));
    if (!result.failureLine.empty())
        coeffLines->AppendLine(result.failureLine);
    if (result.computed) {
        Beep();
        coeffLines->AppendListing(model_);
        MeasureFitLater();
    }
}

void MainWindow::ClearListing()
{
    coeffLines->Clear();
    fitFigures_.reset();
    ++figuresRequest_;
    figuresPending_ = false;
    lblFit->hide();
}

void MainWindow::MeasureFitLater()
{
    fitFigures_.reset();
    const std::uint64_t request = ++figuresRequest_;
    const std::uint64_t revision = model_.Revision();
    figuresPending_ = true;
    auto* watcher = new QFutureWatcher<std::optional<FitFigures>>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, request, revision] {
        watcher->deleteLater();
        // A newer computation, another problem or an edit since: these figures describe nothing shown.
        if (request != figuresRequest_)
            return;
        figuresPending_ = false;
        if (model_.IsComputed() && model_.Revision() == revision)
            fitFigures_ = watcher->result();
        UpdateCommands();
    });
    watcher->setFuture(QtConcurrent::run([measurement = command::FitMeasurement(model_)] {
        return measurement.Run();
    }));
}

bool MainWindow::WaitForFitFigures(int milliseconds)
{
    const QDeadlineTimer deadline(milliseconds);
    while (figuresPending_ && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return !figuresPending_;
}

void MainWindow::ShowFit(const FitFigures& figures)
{
    const bool warn = command::FitNeedsWarning(figures);
    // A warning says what to do where the user looks, not only in a tip.
    lblFit->setText(QString::fromStdString(warn ? "Warning: " + command::FitLine(figures) + "\n"
                                                      + command::FitAdvice(figures)
                                                : command::FitLine(figures)));
    lblFit->setAccessibleDescription(warn ? QString::fromStdString(command::FitAdvice(figures)) : QString());
    lblFit->setToolTip(warn ? QString::fromStdString(command::FitAdvice(figures))
                            : QStringLiteral("How closely the coefficients give the table back; how large the "
                                             "expansion gets between the grid values, against the table's largest "
                                             "value; and for each variable the condition number of its basis with "
                                             "every function scaled to 1: about log10 of it is the number of "
                                             "decimal digits the coefficients may lose."));
    // A warning stands out; the figures alone read as a status line.
    lblFit->setStyleSheet(warn ? kWarningLook : QString());
    lblFit->show();
}

void MainWindow::ShowFitLine()
{
    switch (model_.ResultsState()) {
    case Results::None:
        lblFit->hide();
        return;
    case Results::OutOfDate:
        lblFit->setText(QString::fromLatin1(command::kOutOfDateLine));
        lblFit->setToolTip(QStringLiteral("The listing shows coefficients of the problem as it was; they are not "
                                          "used, saved or exported until Compute gives new ones."));
        lblFit->setAccessibleDescription(QString());
        lblFit->setStyleSheet(kWarningLook);
        lblFit->show();
        return;
    case Results::Current:
        if (fitFigures_) {
            ShowFit(*fitFigures_);
            return;
        }
        lblFit->setText(figuresPending_ ? QStringLiteral("Measuring the fit...") : QString());
        lblFit->setToolTip(QString());
        lblFit->setAccessibleDescription(QString());
        lblFit->setStyleSheet(QString());
        lblFit->setVisible(figuresPending_);
        return;
    }
}

QString MainWindow::FitLineText() const
{
    return lblFit->isHidden() ? QString() : lblFit->text();
}

void MainWindow::StartScriptHost()
{
    scriptMath_ = std::make_unique<script::MathObject>();
    scriptHost_ = std::make_unique<script::ScriptHost>();
    scriptHost_->onError = [this](const script::ScriptError& error) {
        messages_.Tell(this, QString::fromStdString(error.description));
    };
    command::StartScriptHost(*scriptHost_, *scriptMath_);
}

void MainWindow::ShowEvaluations()
{
    const CommandEnd check(*this);
    if (!fieldEvents_->Settle())
        return;
    // A window of its own, not a child: it stays usable while this one waits for a tool window.
    if (!evaluations_) {
        evaluations_ = new EvaluationWindow(model_, session_, *scriptHost_, nullptr);
        evaluations_->SetOwner(this);
        ShareFileShortcuts(evaluations_);
    }
    evaluations_->show();
    evaluations_->raise();
    evaluations_->activateWindow();
}

void MainWindow::ShowPlot()
{
    const CommandEnd check(*this);
    if (!fieldEvents_->Settle())
        return;
    // A fresh window each time: the problem may have changed since the last one.
    if (plot_)
        exportSize_ = plot_->ExportSize();
    delete plot_.data();
    plot_ = new PlotWindow(model_, session_, exportDialog_, messages_, nullptr);
    plot_->ExportSize() = exportSize_;
    plot_->SetOwner(this);
    ShareFileShortcuts(plot_);
    plot_->show();
    plot_->raise();
    plot_->activateWindow();
}

} // namespace tavex
