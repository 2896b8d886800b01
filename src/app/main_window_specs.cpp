// The main window's side of the variable count, the names and the panels.
#include "app/main_window.h"

#include "app/coefficient_list_model.h"
#include "spec/panel_navigation.h"
#include "spec/read_specs.h"
#include "spec/results.h"
#include "spec/shown_specs.h"
#include "spec/value_count.h"
#include "spec/variable_count.h"
#include "spec/variable_names.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <array>
#include <new>
#include <stdexcept>

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

} // namespace

void MainWindow::ConnectPanelEvents(int k)
{
    for (auto* boxes : {txtLL.get(), txtUL.get(), txtExpansion.get(), txtPeriod.get(), txtTerms.get()})
        fieldEvents_->SelectAllOnFocus((*boxes)[k]);
    for (auto* limits : {txtLL.get(), txtUL.get()}) {
        QLineEdit* box = (*limits)[k];
        fieldEvents_->SetValidate(box, [this, box] { return IsAcceptableLimit(TextOf(box), numberFormat_); });
    }
    QLineEdit* terms = (*txtTerms)[k];
    fieldEvents_->SetValidate(terms, [this, terms] { return IsAcceptableValueCount(TextOf(terms), numberFormat_); });
    fieldEvents_->SetGotFocus(terms, [this, k] { TermsGotFocus(k); });
    fieldEvents_->SetLostFocus(terms, [this, k] { TermsLostFocus(k); });
}

bool MainWindow::ValidateOrder()
{
    return ConfirmVariableCount(model_, TextOf(txtOrder));
}

void MainWindow::OrderLostFocus()
{
    txtOrder->setEnabled(false);
    mnuOpen->setEnabled(false);
    // When a file is being opened it has disabled both boxes and creates the panels itself.
    if (txtVarNams->isEnabled()) {
        LoadObjects();
        txtVarNams->setFocus();
    }
}

bool MainWindow::ValidateVarNams()
{
    if (model_.isOpening)
        return true;
    const NamesCheck check = AcceptVariableNames(model_, TextOf(txtVarNams));
    for (int k = 0; k < check.namesShown; ++k)
        (*lblVar)[k]->setText(Q(model_.varName[static_cast<std::size_t>(k)]));
    return check.accepted;
}

void MainWindow::VarNamsLostFocus()
{
    txtVarNams->setEnabled(false);
    mnuSave->setEnabled(true);
    mnuSaveAs->setEnabled(true);
    mnuPrint->setEnabled(true);
    mnuAbout->setVisible(true);
}

void MainWindow::LoadObjects()
{
    for (int k = 1; k <= model_.lastVar; ++k) {
        if (k < txtLL->size())
            continue; // the panel exists already
        txtUL->Load(k);
        txtLL->Load(k);
        lblVar->Load(k);
        txtTerms->Load(k);
        txtExpansion->Load(k);
        txtPeriod->Load(k);
        chkPower->Load(k);
        chkSpaced->Load(k);
        cmdEditVars->Load(k);
        cmdAddVars->Load(k);
        ConnectPanelEvents(k);
    }
    (*lblVar)[0]->setText(model_.varName.empty() ? QString() : Q(model_.varName.front()));

    PerVariable<std::string> counts;
    for (int k = 0; k <= model_.lastVar; ++k) {
        (*chkPower)[k]->setChecked(true);
        (*chkSpaced)[k]->setChecked(true);
        counts[static_cast<std::size_t>(k)] = TextOf((*txtTerms)[k]);
    }
    bool fits = true;
    try {
        ShapeTablesFromCountBoxes(model_, counts);
    } catch (const std::bad_alloc&) {
        fits = false;
    } catch (const std::length_error&) {
        fits = false;
    }
    if (!fits)
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("The tables for these numbers of values do not fit in memory."));

    // Each assignment at b pushes the ones made before it back: variable 1's
    // fields end up first after chkPower(0), in panel order.
    const int b = tabOrder_->PositionOf((*chkPower)[0]) + 1;
    for (int k = model_.lastVar; k >= 1; --k) {
        for (QWidget* field : std::initializer_list<QWidget*>{(*chkPower)[k], (*chkSpaced)[k], (*txtTerms)[k],
                                                              (*txtPeriod)[k], (*txtExpansion)[k], (*txtUL)[k],
                                                              (*txtLL)[k]})
            tabOrder_->SetPosition(field, b);
    }
    // New buttons come last, as any control created at run time does.
    for (int k = 1; k <= model_.lastVar; ++k) {
        tabOrder_->SetPosition((*cmdEditVars)[k], static_cast<int>(tabOrder_->Controls().size()));
        tabOrder_->SetPosition((*cmdAddVars)[k], static_cast<int>(tabOrder_->Controls().size()));
    }
}

void MainWindow::EditLimit(int LL)
{
    assert(LL >= 0 && LL <= model_.lastVar);
    const auto panel = [this](int k) {
        return std::array<QWidget*, 10>{(*txtUL)[k],        (*txtLL)[k],     (*lblVar)[k],      (*txtTerms)[k],
                                               (*txtExpansion)[k], (*txtPeriod)[k], (*chkPower)[k],    (*chkSpaced)[k],
                                               (*cmdEditVars)[k],  (*cmdAddVars)[k]};
    };
    for (int k = 0; k <= model_.lastVar; ++k)
        for (QWidget* control : panel(k))
            control->hide();
    for (QWidget* control : panel(LL))
        control->show();
    // A refused names text may have left fewer names than variables.
    const auto slot = static_cast<std::size_t>(LL);
    (*lblVar)[LL]->setText(slot < model_.varName.size() ? Q(model_.varName[slot]) : QString());
    (*txtLL)[LL]->setFocus();
}

void MainWindow::NextVar()
{
    model_.curVarNo = NextVarNo(model_.curVarNo, model_.lastVar);
    EditLimit(model_.curVarNo - 1);
}

void MainWindow::PrevVar()
{
    model_.curVarNo = PreviousVarNo(model_.curVarNo, model_.lastVar);
    EditLimit(model_.curVarNo - 1);
}

void MainWindow::TermsGotFocus(int k)
{
    valueUpperBefore_ = ValueUpperFromText(TextOf((*txtTerms)[k]));
}

void MainWindow::TermsLostFocus(int k)
{
    PerVariable<std::string> counts;
    for (int j = 0; j <= model_.lastVar; ++j)
        counts[static_cast<std::size_t>(j)] = TextOf((*txtTerms)[j]);
    switch (LeaveValueCount(model_, k, counts, valueUpperBefore_)) {
    case CountChange::Unchanged:
        return;
    case CountChange::TablesEmptied:
        ClearResults();
        return;
    case CountChange::TablesTooLarge:
        (*txtTerms)[k]->setText(Q(std::to_string(static_cast<long long>(valueUpperBefore_) + 1)));
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("The tables for %1 values do not fit in memory; the number of values "
                                            "stays as it was.")
                                 .arg(Q(counts[static_cast<std::size_t>(k)])));
        return;
    case CountChange::NotACount:
        (*txtTerms)[k]->setText(Q(std::to_string(static_cast<long long>(valueUpperBefore_) + 1)));
        return;
    }
}

void MainWindow::ClearResults()
{
    if (tavex::ClearResults(model_))
        coeffLines->Clear();
}

Panels MainWindow::PanelsShown() const
{
    Panels panels;
    for (int k = 0; k < txtLL->size(); ++k) {
        PanelTexts& panel = panels[static_cast<std::size_t>(k)];
        panel.lowerLimit = TextOf((*txtLL)[k]);
        panel.upperLimit = TextOf((*txtUL)[k]);
        panel.center = TextOf((*txtExpansion)[k]);
        panel.period = TextOf((*txtPeriod)[k]);
        panel.valueCount = TextOf((*txtTerms)[k]);
        panel.powerChecked = (*chkPower)[k]->isChecked();
        panel.spacedChecked = (*chkSpaced)[k]->isChecked();
    }
    return panels;
}

bool MainWindow::ReadSpecs()
{
    return tavex::ReadSpecs(model_, PanelsShown());
}

void MainWindow::SetDisplayedSpecs()
{
    const ShownSpecs shown = tavex::SetDisplayedSpecs(model_);
    txtOrder->setText(Q(shown.variableCount));
    for (int k = 0; k <= model_.lastVar; ++k) {
        const ShownPanel& panel = shown.panels[static_cast<std::size_t>(k)];
        (*lblVar)[k]->setText(Q(panel.name));
        (*txtLL)[k]->setText(Q(panel.lowerLimit));
        (*txtUL)[k]->setText(Q(panel.upperLimit));
        (*txtTerms)[k]->setText(Q(panel.valueCount));
        (*chkPower)[k]->setChecked(panel.powerChecked);
        (*chkSpaced)[k]->setChecked(panel.spacedChecked);
    }
    txtVarNams->setText(Q(shown.variableNames));
}

} // namespace tavex
