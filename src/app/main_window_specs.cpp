// The main window's side of the variable count, the names and the panels.
#include "app/main_window.h"

#include "app/coefficient_list_model.h"
#include "app/command_end.h"
#include "app/spec_panel.h"
#include "commands/command_states.h"
#include "model/model_invariants.h"
#include "setup/entry_refusals.h"
#include "setup/overview.h"
#include "setup/panel_navigation.h"
#include "setup/read_specs.h"
#include "setup/results.h"
#include "setup/value_count.h"
#include "setup/variable_count.h"
#include "setup/variable_names.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedLayout>
#include <QTableWidget>

#include <cassert>

namespace tavex {

namespace {

std::string TextOf(const QLineEdit* box)
{
    return box->text().toStdString();
}

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

QString TablesTooLargeMessage(const QString& count)
{
    return QStringLiteral("The tables for %1 values would take more than half of this computer's memory; "
                          "please give fewer values.")
        .arg(count);
}

} // namespace

void MainWindow::ConnectPanelEvents(SpecPanel* panel)
{
    for (QLineEdit* box : {panel->txtLL(), panel->txtUL(), panel->txtExpansion(), panel->txtPeriod(),
                           panel->txtTerms()})
        fieldEvents_->SelectAllOnFocus(box);
    for (const auto& [limit, label] : {std::pair{panel->txtLL(), "Lower limit"}, std::pair{panel->txtUL(), "Upper limit"}})
        fieldEvents_->SetValidate(limit, [this, limit = limit, label = label] {
            return messageLine_.Check(limit, LimitRefusal(label, TextOf(limit), numberFormat_));
        });
    // What the coefficients depend on changes as the user leaves a box whose
    // text they changed, or clicks a box: the listing is out of date from then on.
    for (QLineEdit* box : {panel->txtLL(), panel->txtUL(), panel->txtExpansion(), panel->txtPeriod()}) {
        fieldEvents_->SetGotFocus(box, [this, box] { textOnFocus_ = box->text(); });
        fieldEvents_->SetLostFocus(box, [this, box] {
            if (TypedIn(box)) {
                box->setModified(false);
                SpecsEdited();
            }
        });
    }
    connect(panel->chkPower(), &QCheckBox::clicked, this, [this] { SpecsEdited(); });
    // Spacing changes the values only when ReadSpecs generates them, which tells whether they changed.
    connect(panel->chkSpaced(), &QCheckBox::clicked, this, [this] {
        const CommandEnd check(*this);
        model_.MarkChanged();
    });
    QLineEdit* terms = panel->txtTerms();
    fieldEvents_->SetValidate(terms, [this, panel] { return ValidateTerms(panel); });
    fieldEvents_->SetGotFocus(terms, [this, panel] { TermsGotFocus(panel); });
    fieldEvents_->SetLostFocus(terms, [this, panel] { TermsLostFocus(panel); });
    connect(panel->cmdEditVars(), &QPushButton::clicked, this, [this, panel] { EditValuesCommand(panel); });
    connect(panel->cmdAddVars(), &QPushButton::clicked, this, [this, panel] { AddValuesCommand(panel); });
}

SpecPanel* MainWindow::PanelOf(int k) const
{
    return k >= 0 && k < PanelCount() ? panels_[static_cast<std::size_t>(k)] : nullptr;
}

bool MainWindow::ValidateOrder()
{
    switch (CheckVariableCount(TextOf(txtOrder), TextOf(panels_.front()->txtTerms()))) {
    case CountConfirmation::Confirmed:
        messageLine_.Clear(txtOrder);
        return true;
    case CountConfirmation::TablesTooLarge:
        messages_.Tell(this, TablesTooLargeMessage(panels_.front()->txtTerms()->text()));
        return false;
    case CountConfirmation::NotACount:
        return messageLine_.Check(txtOrder, VariableCountRefusal(TextOf(txtOrder)));
    }
    return false;
}

bool MainWindow::TypedIn(const QLineEdit* box) const
{
    // Texts the program sets (Open shows a problem in the box that has the focus) leave it unmodified.
    return box->isModified() && box->text() != textOnFocus_;
}

void MainWindow::SpecsEdited()
{
    const CommandEnd check(*this);
    model_.MarkEdited();
}

void MainWindow::OrderLostFocus()
{
    const CommandEnd check(*this);
    // A file being opened creates the panels itself.
    if (session_.stage != Stage::Count)
        return;
    // The count, its per-variable arrays, its tables and its panels come in
    // one step. A count left without its check (the program moved the
    // focus) that cannot be confirmed stays pending, with the focus back.
    if (ConfirmVariableCount(model_, TextOf(txtOrder), TextOf(panels_.front()->txtTerms()))
        != CountConfirmation::Confirmed) {
        txtOrder->setFocus();
        return;
    }
    session_.stage = Stage::Names;
    txtOrder->setEnabled(false);
    LoadObjects();
    txtVarNams->setFocus();
}

bool MainWindow::ValidateVarNams()
{
    if (session_.isOpening)
        return true;
    const NamesCheck check = CheckNames();
    if (check.accepted)
        messageLine_.Clear(txtVarNams);
    else
        messageLine_.Say(txtVarNams, Q(NamesRefusal(model_.lastVar, TextOf(txtVarNams))));
    return check.accepted;
}

NamesCheck MainWindow::CheckNames()
{
    const NamesCheck check = AcceptVariableNames(model_, TextOf(txtVarNams));
    for (int k = 0; k < check.namesShown; ++k)
        if (SpecPanel* panel = PanelOf(k))
            panel->SetName(Q(model_.Var(k).name));
    return check;
}

void MainWindow::VarNamsLostFocus()
{
    const CommandEnd check(*this);
    // A file being opened has given the names.
    if (session_.stage == Stage::Specs)
        return;
    // Left without its check (the program moved the focus): the names are
    // checked now, and stay pending, with the focus back, when refused. No
    // message here: this step may run in the midst of any event.
    if (!CheckNames().accepted) {
        txtVarNams->setFocus();
        return;
    }
    session_.stage = Stage::Specs;
    txtVarNams->setEnabled(false);
}

void MainWindow::LoadObjects()
{
    assert(!panels_.empty());
    const SpecPanel& first = *panels_.front();
    for (int k = PanelCount(); k <= model_.lastVar; ++k) {
        auto* panel = new SpecPanel(k, fraSpecs);
        panel->CopyStateOf(first);
        panelStack_->addWidget(panel);
        panels_.push_back(panel);
        ConnectPanelEvents(panel);
    }
    panels_.front()->SetName(Q(model_.Var(0).name));
    for (SpecPanel* panel : panels_) {
        panel->chkPower()->setChecked(true);
        panel->chkSpaced()->setChecked(true);
    }

    // Each assignment at b pushes the ones made before it back: variable 1's
    // fields end up first after chkPower(0), in panel order.
    const int b = tabOrder_->PositionOf(first.chkPower()) + 1;
    for (auto panel = panels_.rbegin(); panel + 1 != panels_.rend(); ++panel) {
        const auto fields = (*panel)->TabFields();
        for (auto field = fields.rbegin(); field != fields.rend(); ++field)
            if (tabOrder_->PositionOf(*field) < 0)
                tabOrder_->SetPosition(*field, b);
    }
    // New buttons come last, as any control created at run time does.
    for (std::size_t k = 1; k < panels_.size(); ++k)
        for (QWidget* button : std::initializer_list<QWidget*>{panels_[k]->cmdEditVars(), panels_[k]->cmdAddVars()})
            if (tabOrder_->PositionOf(button) < 0)
                tabOrder_->SetPosition(button, static_cast<int>(tabOrder_->Controls().size()));
}

void MainWindow::EditLimit(int LL)
{
    if (SpecPanel* panel = ShowPanel(LL))
        panel->txtLL()->setFocus();
}

SpecPanel* MainWindow::ShowPanel(int k)
{
    SpecPanel* panel = PanelOf(k);
    assert(panel);
    if (!panel)
        return nullptr;
    panelStack_->setCurrentWidget(panel);
    panel->SetName(Q(model_.Var(k).name));
    return panel;
}

void MainWindow::OverviewChosen(int row)
{
    // The table took the focus only past the check of the field left: the panel may change at once.
    if (row < 0 || row >= PanelCount() || row == session_.curVarNo - 1)
        return;
    const CommandEnd check(*this);
    session_.curVarNo = row + 1;
    ShowPanel(row);
}

void MainWindow::UpdateOverview()
{
    const std::vector<OverviewRow> rows = OverviewRows(model_, PanelsShown(), PanelCount());
    const QSignalBlocker quiet(tblOverview);
    tblOverview->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        for (int c = 0; c < static_cast<int>(kOverviewColumns.size()); ++c) {
            const QString text = Q(rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]);
            QTableWidgetItem* item = tblOverview->item(r, c);
            if (!item)
                tblOverview->setItem(r, c, item = new QTableWidgetItem);
            if (item->text() != text)
                item->setText(text);
        }
    tblOverview->setCurrentCell(session_.curVarNo - 1, tblOverview->currentColumn() < 0 ? 0 : tblOverview->currentColumn());
    tblOverview->resizeColumnsToContents();
}

void MainWindow::NextVar()
{
    const CommandEnd check(*this);
    if (!fieldEvents_->Settle())
        return;
    session_.curVarNo = NextVarNo(session_.curVarNo, model_.lastVar);
    EditLimit(session_.curVarNo - 1);
}

void MainWindow::PrevVar()
{
    const CommandEnd check(*this);
    if (!fieldEvents_->Settle())
        return;
    session_.curVarNo = PreviousVarNo(session_.curVarNo, model_.lastVar);
    EditLimit(session_.curVarNo - 1);
}

bool MainWindow::ValidateTerms(SpecPanel* panel)
{
    const CountChange change =
        CheckValueCount(model_, panel->variable(), CountTexts(), panel->valueUpperBefore, numberFormat_);
    QLineEdit* terms = panel->txtTerms();
    switch (change) {
    case CountChange::Unchanged:
    case CountChange::TablesEmptied:
        messageLine_.Clear(terms);
        return true;
    case CountChange::TablesTooLarge:
        messages_.Tell(this, TablesTooLargeMessage(terms->text()));
        return false;
    case CountChange::NotACount:
        break;
    }
    // The check reads every variable's count box; the one left is the one to name.
    const std::string why = ValueCountRefusal(TextOf(terms), numberFormat_);
    messageLine_.Say(terms, Q(why.empty() ? "# of values: another variable's count is not a count" : why));
    return false;
}

void MainWindow::TermsGotFocus(SpecPanel* panel)
{
    textOnFocus_ = panel->txtTerms()->text();
    panel->valueUpperBefore = ValueUpperFromText(TextOf(panel->txtTerms()));
}

void MainWindow::TermsLostFocus(SpecPanel* panel)
{
    const CommandEnd check(*this);
    switch (LeaveValueCount(model_, panel->variable(), CountTexts(), panel->valueUpperBefore)) {
    case CountChange::Unchanged:
        return;
    case CountChange::TablesEmptied:
        ClearResults();
        return;
    case CountChange::TablesTooLarge:
    case CountChange::NotACount:
        // Left without its check: the count stays as it was.
        panel->txtTerms()->setText(Q(std::to_string(static_cast<long long>(panel->valueUpperBefore) + 1)));
        return;
    }
}

PerVariable<std::string> MainWindow::CountTexts() const
{
    PerVariable<std::string> counts;
    for (SpecPanel* panel : panels_)
        counts[static_cast<std::size_t>(panel->variable())] = TextOf(panel->txtTerms());
    return counts;
}

void MainWindow::ClearResults()
{
    if (tavex::ClearResults(model_, session_))
        ClearListing();
}

Panels MainWindow::PanelsShown() const
{
    Panels panels;
    for (SpecPanel* panel : panels_)
        panels[static_cast<std::size_t>(panel->variable())] = panel->Texts();
    return panels;
}

void MainWindow::ShowSpecs(const ShownSpecs& shown)
{
    txtOrder->setText(Q(shown.variableCount));
    for (std::size_t k = 0; k < shown.panels.size(); ++k)
        if (SpecPanel* panel = PanelOf(static_cast<int>(k)))
            panel->Show(shown.panels[k]);
    txtVarNams->setText(Q(shown.variableNames));
}

std::string MainWindow::BrokenInvariant() const
{
    if (std::string broken = tavex::BrokenInvariant(model_); !broken.empty())
        return broken;
    if (PanelCount() != model_.lastVar + 1)
        return std::to_string(PanelCount()) + " panels for " + std::to_string(model_.lastVar + 1) + " variables";
    if (session_.curVarNo < 1 || session_.curVarNo > model_.lastVar + 1)
        return "curVarNo " + std::to_string(session_.curVarNo) + " names no variable";
    if (panelStack_->currentIndex() != session_.curVarNo - 1)
        return "the panel shown is not panel curVarNo";
    if (isEnabled() == (toolWindow_ && toolWindow_->isVisible()))
        return isEnabled() ? "the main window takes input beside an open tool window"
                           : "the main window is disabled with no tool window open";
    if (toolWindow_ && toolWindow_->isVisible() && !toolWindow_->isEnabled())
        return "the open tool window takes no input";
    // Every command is offered as the problem and the session allow, whatever edit came last.
    const command::CommandStates states = command::AvailableCommands(model_, session_);
    if (cmdEvaluations->isEnabledTo(this) != states.evaluations || cmdPlot->isEnabledTo(this) != states.plot
        || mnuExport->isEnabled() != states.exportCoefficients || mnuSave->isEnabled() != states.save)
        return "the commands offered do not follow the problem's results";
    if (isWindowModified() != model_.IsModified())
        return "the title's modified mark does not follow the problem";
    if (model_.ResultsState() != Results::None && session_.stage == Stage::Specs && coeffLines->rowCount() == 0)
        return "coefficients are held but not listed";
    // Once the count is confirmed, a count box not being edited holds a
    // count the tables cover.
    if (txtOrder->isEnabled())
        return {};
    for (SpecPanel* panel : panels_) {
        if (panel->txtTerms() == fieldEvents_->FieldWithFocus())
            continue;
        const int upper = ValueUpperFromText(TextOf(panel->txtTerms()));
        if (upper < 1 || upper >= model_.funTable.extent(panel->variable()))
            return "the count box of variable " + std::to_string(panel->variable() + 1)
                 + " holds a count the tables do not cover";
    }
    return {};
}

} // namespace tavex
