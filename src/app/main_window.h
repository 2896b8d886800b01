#pragma once

#include "app/toolkit/common_dialog.h"
#include "app/toolkit/control_array.h"
#include "app/toolkit/field_events.h"
#include "app/toolkit/print_dialog.h"
#include "app/toolkit/tab_order.h"
#include "model/problem_model.h"
#include "spec/field_checks.h"
#include "spec/panel_texts.h"

#include <QMainWindow>

#include <memory>
#include <string>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace tavex {

class CoefficientListModel;
class DecimalSeparatorSetting;

// frmTavex: the variable count and names, one specification panel per
// variable, the commands and the coefficient list. Owns the problem model of
// the run; the other windows work on it through this window.
class MainWindow final : public QMainWindow {
public:
    // savedDecimalSep is written back through decimalSetting when the window
    // closes; numberFormat is the user's, for the checks of the number fields.
    MainWindow(DecimalSeparatorSetting& decimalSetting, std::string savedDecimalSep, NumberFormat numberFormat,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    ProblemModel& model() { return model_; }

    // Creates the panels of variables 1..lastVar as copies of panel 0, checks
    // every Power and Equally spaced box, shapes the tables from the count
    // boxes and gives the new fields their tab positions after chkPower(0).
    void LoadObjects();
    // Shows the panel of variable LL (0-based) and puts the focus in its lower limit.
    void EditLimit(int LL);
    // Shows a problem read from a file: count, names, limits, counts and kinds.
    void SetDisplayedSpecs();
    // Copies every panel into the model; false (nothing changed) when a count
    // box holds fewer than two values.
    bool ReadSpecs();
    // Empties the coefficient list and clears isComputed, unless a file is being opened.
    void ClearResults();

    // The texts and check states of the panels as they stand.
    Panels PanelsShown() const;
    // The lines of lstCoeff.
    const CoefficientListModel& CoefficientLines() const { return *coeffLines; }

    // cdbFile: the file dialogs and the print dialog, replaceable by tests
    // that script the user.
    CommonDialog& FileDialog() { return cdbFile_; }
    PrintDialog& PrinterDialog() { return printDialog_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void BuildMenus();
    void LayOut();
    void SetDesignedTabOrder();
    void ConnectEvents();
    void ConnectPanelEvents(int k);
    void LoadStep();

    // Events of the count and names boxes and of the panels.
    bool ValidateOrder();
    void OrderLostFocus();
    bool ValidateVarNams();
    void VarNamsLostFocus();
    void TermsGotFocus(int k);
    void TermsLostFocus(int k);
    void NextVar();
    void PrevVar();
    void ComputeCommand();

    // File menu.
    void OpenProblem();
    void SaveCommand();
    void SaveAsCommand();
    // ReadSpecs, then both files under path; problemFile becomes path once
    // they are written. A failure is shown and changes nothing.
    void SaveProblem(const std::string& path);
    void ShowResults();
    void PrintCommand();
    void ReportFailure(const QString& message);

    ProblemModel model_;
    DecimalSeparatorSetting& decimalSetting_;
    NumberFormat numberFormat_;
    // A count box's number of values minus one when it got the focus.
    int valueUpperBefore_ = 0;
    CommonDialog cdbFile_;
    PrintDialog printDialog_;

    QLabel* lblOrder = nullptr;
    QLineEdit* txtOrder = nullptr;
    QLabel* lblVarNam = nullptr;
    QLineEdit* txtVarNams = nullptr;
    QGroupBox* fraSpecs = nullptr;
    QLabel* lblVariable = nullptr;
    QLabel* lblLL = nullptr;
    QLabel* lblUL = nullptr;
    QLabel* lblExpansion = nullptr;
    QLabel* lblPeriod = nullptr;
    QLabel* lblTerms = nullptr;
    QGroupBox* fraType = nullptr;
    QPushButton* cmdPrevVar = nullptr;
    QPushButton* cmdNextVar = nullptr;
    QPushButton* cmdEditFun = nullptr;
    QPushButton* cmdCompute = nullptr;
    QListView* lstCoeff = nullptr;
    CoefficientListModel* coeffLines = nullptr;
    QPushButton* cmdEvaluations = nullptr;
    QPushButton* cmdExit = nullptr;

    std::unique_ptr<ControlArray<QLabel>> lblVar;
    std::unique_ptr<ControlArray<QLineEdit>> txtLL;
    std::unique_ptr<ControlArray<QLineEdit>> txtUL;
    std::unique_ptr<ControlArray<QLineEdit>> txtExpansion;
    std::unique_ptr<ControlArray<QLineEdit>> txtPeriod;
    std::unique_ptr<ControlArray<QLineEdit>> txtTerms;
    std::unique_ptr<ControlArray<QCheckBox>> chkPower;
    std::unique_ptr<ControlArray<QCheckBox>> chkSpaced;
    std::unique_ptr<ControlArray<QPushButton>> cmdAddVars;
    std::unique_ptr<ControlArray<QPushButton>> cmdEditVars;

    QAction* mnuOpen = nullptr;
    QAction* mnuSave = nullptr;
    QAction* mnuSaveAs = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuHelp = nullptr;
    QAction* mnuAbout = nullptr;

    std::unique_ptr<TabOrder> tabOrder_;
    // Declared last: destroyed before the controls it watches.
    std::unique_ptr<FieldEvents> fieldEvents_;
};

} // namespace tavex
