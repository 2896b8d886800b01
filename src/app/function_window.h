#pragma once

#include "app/toolkit/tool_window.h"
#include "data/function_form.h"
#include "setup/session.h"

#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tavex {

class MessageLine;

class FieldEvents;

// frmFun: one grid point at a time, its indices, the variables' values there
// and the function value, each stored as it is typed. Enter in the value box
// stores it and shows the next point with its value selected, so a whole
// table is typed without the mouse. The boxes are bound to a FunctionForm,
// which holds their texts and their reactions.
class FunctionWindow final : public ToolWindow {
public:
    FunctionWindow(ProblemModel& model, Session& session, const StartingSet& start, QWidget* parent);
    ~FunctionWindow() override;

    // Variable k's value was edited: its "Equally spaced" box is to be unticked.
    std::function<void(int k)> onValueEdited;

protected:
    QWidget* FirstField() const override;
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

    const ProblemModel& model_;
    FunctionForm form_;
    std::vector<Row> rows_;
    QLineEdit* txtFun = nullptr;
    QLabel* lblPasted = nullptr;
    QLabel* lblMessage = nullptr; // why an index is refused, how a value was read
    std::unique_ptr<MessageLine> messageLine_;
    std::unique_ptr<FieldEvents> fieldEvents_;
};

} // namespace tavex
