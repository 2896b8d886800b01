#pragma once

#include "data/function_form.h"
#include "setup/session.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tavex {

class FieldEvents;

// frmFun: one grid point at a time, its indices, the variables' values there
// and the function value, each stored as it is typed. Enter in the value box
// stores it and shows the next point with its value selected, so a whole
// table is typed without the mouse. The boxes are bound to a FunctionForm,
// which holds their texts and their reactions.
class FunctionWindow final : public QWidget {
public:
    FunctionWindow(ProblemModel& model, Session& session, const StartingSet& start, QWidget* parent);
    ~FunctionWindow() override;

    // Variable k's value was edited: its "Equally spaced" box is to be unticked.
    std::function<void(int k)> onValueEdited;
    // The data changed: the coefficients computed before no longer belong to it.
    std::function<void()> onDataChanged;
    // The window is gone: the main window takes the input again.
    std::function<void()> onClosed;

protected:
    void closeEvent(QCloseEvent* event) override;
    // The first field takes the focus when the window shows: the window may
    // have lost it to its parent being disabled.
    void showEvent(QShowEvent* event) override;
    // Escape closes the window, as "Done" does.
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One variable's controls: its index in the top row, and its own row below.
    struct Row {
        QLineEdit* txtFunIndex;
        QLabel* lblVar;
        QLineEdit* txtVarIndex;
        QLabel* lblClose;
        QLineEdit* txtVar;
        QPushButton* cmdDecIndex;
        QPushButton* cmdIncIndex;
    };

    QLineEdit* WidgetOf(FunctionForm::Box box, int k) const;
    void Edited(FunctionForm::Box box, int k, const QString& text);
    // The boxes show what the form holds.
    void Refresh();
    void Step(bool forward);
    bool PasteNumbers();

    FunctionForm form_;
    std::vector<Row> rows_;
    QLineEdit* txtFun = nullptr;
    QLabel* lblPasted = nullptr;
    std::unique_ptr<FieldEvents> fieldEvents_;
};

} // namespace tavex
