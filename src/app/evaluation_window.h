#pragma once

#include "app/toolkit/tool_window.h"
#include "model/problem_model.h"
#include "script/script_host.h"
#include "setup/session.h"

#include <optional>
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

    // The compute button. A coordinate beyond the range of a number is
    // refused in the window's message line, and nothing is evaluated.
    void Compute();
    // After every command and edit: while the coefficients are not current
    // the approximation and the error say so instead of a value; once they
    // are, both are shown again for the point last computed at.
    void ResultsChanged();

protected:
    QWidget* FirstField() const override;

private:
    // One variable's entry and its label, "x=".
    struct Slot {
        QLabel* lblVarx;
        QLineEdit* txtVarx;
    };

    void ShowResults(std::optional<double> approximation);
    // The message line; `refused` is the entry it is about, if any.
    void ShowMessage(const QString& message, QLineEdit* refused);

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
    QLabel* lblMessage = nullptr;
    // What the labels show: whether a point was computed at, and the
    // formula's value there, which no change of coefficients affects.
    bool computed_ = false;
    // The results last shown: the window lives within one problem, whose
    // revisions only grow, so an unchanged pair means nothing to show anew.
    std::pair<Results, std::uint64_t> shownResults_{Results::None, 0};
    std::optional<double> function_;
    std::unique_ptr<FieldEvents> fieldEvents_;
};

} // namespace tavex
