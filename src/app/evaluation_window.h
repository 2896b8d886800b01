#pragma once

#include "app/toolkit/tool_window.h"
#include "model/problem_model.h"
#include "script/script_host.h"
#include "setup/session.h"

#include <vector>

class QLabel;
class QLineEdit;

namespace tavex {

class FieldEvents;

// frmEvaluations: the point at which to evaluate the approximation, one
// entry per variable, and optionally the function itself as a formula of
// the variables, which the script host evaluates for comparison. Beside the
// main window, which stays usable; it opens on the last point and formula.
class EvaluationWindow final : public ToolWindow {
public:
    EvaluationWindow(const ProblemModel& model, Session& session, script::ScriptHost& host, QWidget* parent);
    ~EvaluationWindow() override;

    // The compute button.
    void Compute();
    // The main window's results changed.
    void ResultsChanged() {}

protected:
    QWidget* FirstField() const override;

private:
    // One variable's entry and its label, "x=".
    struct Slot {
        QLabel* lblVarx;
        QLineEdit* txtVarx;
    };

    const ProblemModel& model_;
    Session& session_;
    script::ScriptHost& host_;
    std::vector<Slot> slots_;
    QLineEdit* txtFunction = nullptr;
    QLabel* lblApprox = nullptr;
    QLabel* lblFunc = nullptr;
    QLabel* lblFuncValue = nullptr;
    QLabel* lblErr = nullptr;
    QLabel* lblError = nullptr;
    std::unique_ptr<FieldEvents> fieldEvents_;
};

} // namespace tavex
