// The main window's commands on the value lists and the function table.
#include "app/main_window.h"

#include "app/coefficient_list_model.h"
#include "app/command_end.h"
#include "app/function_window.h"
#include "app/spec_panel.h"
#include "app/values_window.h"
#include "commands/value_commands.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace tavex {

void MainWindow::EditValuesCommand(SpecPanel* panel)
{
    const CommandEnd check(*this);
    if (!fieldEvents_->Settle())
        return;
    ShowValueListResult(panel, command::EditValues(model_, session_, PanelsShown(), panel->variable()));
}

void MainWindow::AddValuesCommand(SpecPanel* panel)
{
    const CommandEnd check(*this);
    if (!fieldEvents_->Settle())
        return;
    const QString name = QString::fromStdString(std::string(model_.NameOf(panel->variable())));
    const auto ask = [&] {
        return prompts_.Ask(this, "How many additional values for variable " + name.toStdString() + "?",
                            "Add values for variable " + name.toStdString());
    };
    ShowValueListResult(panel, command::AddValues(model_, session_, PanelsShown(), panel->variable(), ask));
}

void MainWindow::ShowValueListResult(SpecPanel* panel, const command::ValueListResult& result)
{
    if (result.spacedUnchecked)
        panel->chkSpaced()->setChecked(false);
    if (result.becameExplicit)
        panel->txtTerms()->setEnabled(false);
    if (!result.countText.empty())
        panel->txtTerms()->setText(QString::fromStdString(result.countText));
    if (result.listCleared)
        ClearListing();
    if (!result.refusal.empty())
        ReportFailure(QString::fromStdString(result.refusal));
    if (result.showGrid)
        ShowGridVars(panel->variable());
}

void MainWindow::OpenToolWindow(QWidget* window)
{
    toolWindow_ = window;
    ShareFileShortcuts(window);
    focusBeforeTool_ = focusWidget();
    setEnabled(false);
    // A window of its own: disabling its parent disabled it too.
    window->setEnabled(true);
    window->show();
    window->activateWindow();
}

void MainWindow::ToolWindowClosed()
{
    setEnabled(true);
    activateWindow();
    if (focusBeforeTool_)
        focusBeforeTool_->setFocus();
}

void MainWindow::ShowGridVars(int k)
{
    auto* grid = new ValuesWindow(model_, session_, messages_, this);
    SpecPanel* panel = PanelOf(k);
    grid->onDataChanged = [this] { UpdateCommands(); };
    grid->onCountChanged = [panel](const std::string& countText) {
        panel->txtTerms()->setText(QString::fromStdString(countText));
    };
    grid->onClosed = [this] { ToolWindowClosed(); };
    OpenToolWindow(grid);
}

void MainWindow::ReviewFunction()
{
    const CommandEnd check(*this);
    if (!fieldEvents_->Settle())
        return;
    StartingSet start;
    std::string refusal;
    command::StartAnswer answer = command::StartAnswer::AskAgain;
    while (answer == command::StartAnswer::AskAgain) {
        const std::string typed = prompts_.Ask(this, "Enter indices of starting set, separated by commas:", "Review of function");
        answer = command::ReviewFunction(model_, PanelsShown(), typed, start, refusal);
    }
    if (answer == command::StartAnswer::Refused)
        ReportFailure(QString::fromStdString(refusal));
    if (answer != command::StartAnswer::Start)
        return;
    for (SpecPanel* panel : panels_)
        panel->txtTerms()->setEnabled(false);
    auto* window = new FunctionWindow(model_, session_, start, this);
    window->onValueEdited = [this](int k) {
        if (SpecPanel* panel = PanelOf(k))
            panel->chkSpaced()->setChecked(false);
    };
    window->onDataChanged = [this] { UpdateCommands(); };
    window->onClosed = [this] { ToolWindowClosed(); };
    OpenToolWindow(window);
}

} // namespace tavex
