// The main window's compute command and the evaluation window.
#include "app/main_window.h"

#include "app/command_end.h"
#include "app/coefficient_list_model.h"
#include "app/evaluation_window.h"
#include "app/plot_window.h"
#include "app/toolkit/busy_pointer.h"
#include "commands/compute_command.h"
#include "commands/evaluate_command.h"

#include <QLabel>
#include <QPushButton>

namespace tavex {

void MainWindow::ComputeCommand()
{
    const CommandEnd check(*this);
    if (!fieldEvents_->Settle())
        return;
    command::ComputeResult result;
    {
        BusyPointer busy;
        result = command::Compute(model_, session_, PanelsShown());
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
        if (result.figures)
            ShowFit(*result.figures);
        cmdEvaluations->setEnabled(true);
        cmdPlot->setEnabled(true);
        mnuExport->setEnabled(true);
    }
}

void MainWindow::ClearListing()
{
    coeffLines->Clear();
    lblFit->hide();
}

void MainWindow::ShowFit(const FitFigures& figures)
{
    const bool warn = command::FitNeedsWarning(figures);
    lblFit->setText(QString::fromStdString((warn ? "Warning: " : "") + command::FitLine(figures)));
    lblFit->setAccessibleDescription(warn ? QString::fromStdString(command::FitAdvice(figures)) : QString());
    lblFit->setToolTip(warn ? QString::fromStdString(command::FitAdvice(figures))
                            : QStringLiteral("How closely the coefficients give the table back, and for each variable "
                                             "the condition number of its basis: about log10 of it is the number of "
                                             "decimal digits the coefficients may lose."));
    // A warning stands out; the figures alone read as a status line.
    lblFit->setStyleSheet(warn ? QStringLiteral("QLabel { background: #fff3cd; color: #5c4400; "
                                                "border: 1px solid #e0b000; padding: 3px; }")
                               : QString());
    lblFit->show();
}

void MainWindow::StartScriptHost()
{
    scriptMath_.ownerIerr = &ierr_;
    scriptHost_.onError = [this](const script::ScriptError& error) {
        messages_.Tell(this, QString::fromStdString(error.description));
    };
    command::StartScriptHost(scriptHost_, scriptMath_);
}

void MainWindow::ShowEvaluations()
{
    const CommandEnd check(*this);
    if (!fieldEvents_->Settle())
        return;
    if (!evaluations_)
        evaluations_ = new EvaluationWindow(model_, session_, scriptHost_, this);
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
    delete plot_.data();
    plot_ = new PlotWindow(model_, session_, exportDialog_, messages_, this);
    plot_->show();
    plot_->raise();
    plot_->activateWindow();
}

} // namespace tavex
