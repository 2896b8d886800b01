#pragma once

#include "app/toolkit/common_dialog.h"
#include "app/toolkit/field_events.h"
#include "app/toolkit/input_box.h"
#include "app/toolkit/message_box.h"
#include "app/toolkit/message_line.h"
#include "app/toolkit/print_dialog.h"
#include "app/toolkit/save_question.h"
#include "app/toolkit/size_box.h"
#include "app/toolkit/tab_order.h"
#include "app/recent_problems.h"
#include "engine/fit_figures.h"
#include "model/problem_model.h"
#include "script/script_host.h"
#include "setup/field_checks.h"
#include "setup/panel_texts.h"
#include "setup/session.h"
#include "setup/shown_specs.h"
#include "setup/variable_names.h"

#include <QMainWindow>
#include <QStatusBar>
#include <QPointer>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QGroupBox;
class QMenu;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QScrollArea;
class QStackedLayout;
class QTableWidget;

namespace tavex {

namespace command {
struct ValueListResult;
}

class CoefficientListModel;
class EvaluationWindow;
class PlotWindow;
class DecimalSeparatorSetting;
class SpecPanel;

// frmTavex: the variable count and names, one specs panel per
// variable, the commands and the coefficient list. Owns the problem model of
// the run; the other windows work on it through this window.
//
// Every command first settles the field being edited (FieldEvents::Settle),
// then makes one call into the core (commands/) and shows what it returns.
// Which commands are offered, and whether the listing is out of date, follow
// from the problem and the session alone (command::AvailableCommands),
// applied in one place (UpdateCommands) when a command or an edit ends.
class MainWindow final : public QMainWindow {
public:
    // savedDecimalSep is written back through decimalSetting when the window
    // closes; numberFormat is the user's, for the checks of the number fields.
    MainWindow(DecimalSeparatorSetting& decimalSetting, std::string savedDecimalSep, NumberFormat numberFormat,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    ProblemModel& model() { return model_; }
    const ProblemModel& model() const { return model_; }
    Session& session() { return session_; }
    const Session& session() const { return session_; }

    // Creates the panels of variables 1..lastVar as copies of the first one,
    // checks every Power and Equally spaced box and gives the new fields their
    // tab positions after chkPower(0). The tables were shaped when the count
    // was confirmed, or come from the file opened.
    void LoadObjects();
    // Shows the panel of variable LL (0-based) and puts the focus in its lower limit.
    void EditLimit(int LL);
    // Shows the panel of variable k, the focus left where it is; null when k has none.
    SpecPanel* ShowPanel(int k);
    // Empties the coefficient list and clears the coefficients, unless a file is being opened.
    void ClearResults();
    // Applies what the problem and the session allow: the commands offered,
    // the listing's look, the line under it, the title's modified mark, and
    // what the evaluation and plot windows show.
    void UpdateCommands();

    // The texts and check states of the panels as they stand.
    Panels PanelsShown() const;
    // The panel of variable k; null for a variable that has none.
    SpecPanel* PanelOf(int k) const;
    int PanelCount() const { return static_cast<int>(panels_.size()); }

    // The lines of lstCoeff.
    const CoefficientListModel& CoefficientLines() const { return *coeffLines; }

    // What every command relies on, for the model and the window; empty when
    // all holds, otherwise the first thing broken, in words. Checked after
    // every command when asserts are on.
    std::string BrokenInvariant() const;

    // cdbFile: the file dialogs and the print dialog, and the message boxes,
    // replaceable by tests that script the user.
    CommonDialog& FileDialog() { return cdbFile_; }
    PrintDialog& PrinterDialog() { return printDialog_; }
    MessageBox& Messages() { return messages_; }
    // The export dialog of the plot and of the coefficients, apart from cdbFile: the problem's file name stays as it is.
    CommonDialog& ExportDialog() { return exportDialog_; }
    // The size of an exported plot, asked by the plot window; it opens on the last size given.
    SizeBox& ExportSize() { return exportSize_; }
    // Import table's dialog, apart from cdbFile too: a table's name must never become the problem's.
    CommonDialog& ImportDialog() { return importDialog_; }
    // The questions of Add values and Edit function.
    InputBox& Prompts() { return prompts_; }
    // "Save changes to NAME?" before New, Open, Import table and Exit.
    SaveQuestion& SaveQuestions() { return saveQuestion_; }

    // The script host with the math object "sh" registered and its constants
    // set; a fresh one for every new problem.
    script::ScriptHost& ScriptHost() { return *scriptHost_; }
    const script::MathObject& ScriptMath() const { return *scriptMath_; }

    // The line under the listing and the window's message line, as shown.
    QString FitLineText() const;
    QString MessageLineText() const;
    // Waits, handling events, until the fit figures of the last computation
    // or open are shown or dropped; false when they did not come in time.
    bool WaitForFitFigures(int milliseconds = 60000);

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Centred on the screen and wholly on it.
    void Place();
    // The controls of a problem not yet declared: the count and names boxes
    // with their defaults, the first panel, the commands and the listing.
    void BuildControls();
    void BuildMenus();
    void LayOut();
    void SetDesignedTabOrder();
    void ConnectEvents();
    void ConnectMenus();
    // File > New, and the window side of Open and Import table: the windows
    // of the problem before close, and the controls start as after the program started.
    void ResetWindow();
    void ConnectPanelEvents(SpecPanel* panel);
    void LoadStep();
    void ShowSpecs(const ShownSpecs& shown);
    // The texts of the count boxes of every panel.
    PerVariable<std::string> CountTexts() const;

    // Events of the count and names boxes and of the panels.
    bool ValidateOrder();
    void OrderLostFocus();
    bool ValidateVarNams();
    // AcceptVariableNames on the names box, and the panels relabelled.
    NamesCheck CheckNames();
    void VarNamsLostFocus();
    bool ValidateTerms(SpecPanel* panel);
    void TermsGotFocus(SpecPanel* panel);
    void TermsLostFocus(SpecPanel* panel);
    // Whether the user changed the panel box's text since it got the focus.
    bool TypedIn(const QLineEdit* box) const;
    // A panel's field left with a text the user changed, or a check box clicked.
    void SpecsEdited();
    void NextVar();
    void PrevVar();
    // The overview's rows as the panels stand, the shown panel's row selected.
    void UpdateOverview();
    // A row of the overview chosen: its variable's panel is shown.
    void OverviewChosen(int row);
    void ComputeCommand();
    // Empties the coefficient list and the fit line under it.
    void ClearListing();
    // Measures the fit of the coefficients the model holds off this window's
    // thread; the line follows when the figures come, unless the problem
    // changed meanwhile.
    void MeasureFitLater();
    // The fit line under the listing: the figures, and a warning look with
    // advice when a variable may lose many digits.
    void ShowFit(const FitFigures& figures);
    // The line under the listing as the results stand: the fit, or why the
    // listing is out of date.
    void ShowFitLine();
    void ShowEvaluations();
    void ShowPlot();
    // The script object and constants, as the window loads.
    void StartScriptHost();

    // File menu.
    void NewCommand();
    void OpenCommand();
    void OpenRecent(const QString& path);
    // Opens the pair at path; a failure is shown and changes nothing.
    void OpenProblem(const std::string& path);
    // The problem Open or Import table read takes the place of the one shown.
    void ShowOpenedProblem(ProblemModel&& opened, Session&& session, const ShownSpecs& shown);
    void ImportCommand();
    void ExportCommand();
    // Save and Save As; false when nothing was saved.
    bool SaveCommand();
    bool SaveAsCommand();
    // ReadSpecs, then both files under path; problemFile becomes path once
    // they are written. A failure is shown and changes nothing.
    bool SaveProblem(const std::string& path);
    void ShowResults();
    void PrintCommand();
    void ReportFailure(const QString& message);
    // Asks whether to save unsaved work before it would be lost; false when
    // the user cancels or the save did not happen.
    bool MaybeSave();
    // The problem's file name, or "Untitled" before it has one.
    QString ProblemName() const;
    void UpdateTitle();
    void UpdateRecentMenu();

    // The value lists and the function table.
    void EditValuesCommand(SpecPanel* panel);
    void AddValuesCommand(SpecPanel* panel);
    void ShowValueListResult(SpecPanel* panel, const command::ValueListResult& result);
    // Disables this window, which takes no input until `window` closes.
    void OpenToolWindow(QWidget* window);
    // The File menu's entries with a shortcut, which work in every window of the program.
    QList<QAction*> FileShortcuts() const;
    void ShareFileShortcuts(QWidget* window) const;
    // The tool window closed: this window takes the input again where it left it.
    void ToolWindowClosed();
    void ShowGridVars(int k);
    void ReviewFunction();

    ProblemModel model_;
    Session session_;
    DecimalSeparatorSetting& decimalSetting_;
    NumberFormat numberFormat_;
    RecentProblems recent_;
    // The status bar's line: refusals of the fields, what Save did.
    MessageLine messageLine_{[this](const QString& text) { statusBar()->showMessage(text); }};
    SaveQuestion saveQuestion_;
    CommonDialog cdbFile_;
    CommonDialog exportDialog_;
    SizeBox exportSize_;
    CommonDialog importDialog_{QStringLiteral("Import table"),
                               {QStringLiteral("Tables (*.csv *.tsv *.txt)"), QStringLiteral("All files (*)")}};
    PrintDialog printDialog_;
    MessageBox messages_;
    InputBox prompts_;
    std::unique_ptr<script::MathObject> scriptMath_;
    std::unique_ptr<script::ScriptHost> scriptHost_;

    QScrollArea* scroll_ = nullptr;
    QWidget* form_ = nullptr; // the controls, in the scroll area
    bool placed_ = false;
    bool framed_ = false;
    QLabel* lblOrder = nullptr;
    QLineEdit* txtOrder = nullptr;
    QLabel* lblVarNam = nullptr;
    QLineEdit* txtVarNams = nullptr;
    QGroupBox* fraSpecs = nullptr;
    QStackedLayout* panelStack_ = nullptr;
    std::vector<SpecPanel*> panels_; // variables 0..lastVar, created with the count
    QPushButton* cmdPrevVar = nullptr;
    QPushButton* cmdNextVar = nullptr;
    QTableWidget* tblOverview = nullptr; // every variable at a glance; a row chosen shows its panel
    QPushButton* cmdEditFun = nullptr;
    QPushButton* cmdCompute = nullptr;
    QListView* lstCoeff = nullptr;
    CoefficientListModel* coeffLines = nullptr;
    QLabel* lblFit = nullptr;
    QPushButton* cmdEvaluations = nullptr;
    QPushButton* cmdPlot = nullptr;
    QPushButton* cmdExit = nullptr;

    QAction* mnuNew = nullptr;
    QAction* mnuOpen = nullptr;
    QMenu* mnuRecent = nullptr;
    QAction* mnuImport = nullptr;
    QAction* mnuExport = nullptr;
    QAction* mnuSave = nullptr;
    QAction* mnuSaveAs = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuHelp = nullptr;
    QAction* mnuAbout = nullptr;

    // The values grid or the function window while one is open.
    QPointer<QWidget> toolWindow_;
    QPointer<QWidget> focusBeforeTool_;
    // Windows of their own beside this one, usable while it waits for a tool window.
    QPointer<EvaluationWindow> evaluations_;
    QPointer<PlotWindow> plot_;
    // The text of the panel's box being edited as it got the focus.
    QString textOnFocus_;
    // The fit figures being measured: a new computation or problem drops them.
    std::uint64_t figuresRequest_ = 0;
    bool figuresPending_ = false;
    std::optional<FitFigures> fitFigures_; // of the coefficients shown, once measured

    std::unique_ptr<TabOrder> tabOrder_;
    // Declared last: destroyed before the controls it watches.
    std::unique_ptr<FieldEvents> fieldEvents_;
};

} // namespace tavex
