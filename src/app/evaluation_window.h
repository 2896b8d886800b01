#pragma once

#include "app/toolkit/tool_window.h"
#include "commands/calculus_command.h"
#include "engine/integral.h"
#include "model/problem_model.h"
#include "script/script_host.h"
#include "setup/session.h"

#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace tavex {

class FieldEvents;

// frmEvaluations: the point at which to evaluate the approximation, one
// entry per variable, and optionally the function itself as a formula of
// the variables, which the script host evaluates for comparison; a partial
// derivative of the orders chosen and, when asked, the gradient at the same
// point; the integral and the mean over the variables' intervals or over
// bounds given. Beside the main window, which stays usable; it opens on the
// last point and formula.
class EvaluationWindow final : public ToolWindow {
public:
    EvaluationWindow(const ProblemModel& model, Session& session, script::ScriptHost& host, QWidget* parent);
    ~EvaluationWindow() override;

    // The compute button. A coordinate beyond the range of a number is
    // refused in the window's message line, and nothing is evaluated.
    void Compute();
    // Compute, with every first derivative shown from now on.
    void Gradient();
    // Asks for the bounds in a dialog of its own; OK shows the integral and
    // the mean over them, a bound that is no number is refused there.
    void Integrate();
    // After every command and edit: while the coefficients are not current
    // the approximation and the error say so instead of a value; once they
    // are, both are shown again for the point last computed at.
    void ResultsChanged();

protected:
    QWidget* FirstField() const override;

private:
    // One variable's entry and its label, "x=", and the order of the derivative along it.
    struct Slot {
        QLabel* lblVarx;
        QLineEdit* txtVarx;
        QLabel* lblOrder;
        QSpinBox* spnOrder;
    };

    PerVariable<int> Orders() const;
    // The caption follows the orders at once; a value only a Compute gives.
    void OrdersChanged();
    void ShowResults(std::optional<double> approximation);
    // The values the derivatives' coefficients give at the point computed at.
    void ShowDerivatives();
    void ShowIntegral();
    // What the state allows: command::AvailableCommands.
    void ApplyCommandStates();
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
    QLabel* lblDerivative = nullptr;
    QLabel* lblDerivValue = nullptr;
    QLabel* lblGrad = nullptr;
    QLabel* lblGradient = nullptr;
    QLabel* lblIntegral = nullptr;
    QLabel* lblMean = nullptr;
    QLabel* lblIntegralBox = nullptr;
    QPushButton* cmdGradient = nullptr;
    QPushButton* cmdIntegrate = nullptr;
    // What the labels show: whether a point was computed at, and the
    // formula's value there, which no change of coefficients affects.
    bool computed_ = false;
    // The results last shown: the window lives within one problem, whose
    // revisions only grow, so an unchanged pair means nothing to show anew.
    std::pair<Results, std::uint64_t> shownResults_{Results::None, 0};
    std::optional<double> function_;
    // The orders of the derivative shown, while its value is shown.
    std::optional<PerVariable<int>> derivativeShown_;
    bool gradientShown_ = false;
    // The bounds given; none: the variables' intervals, as they stand.
    std::optional<IntegrationBox> box_;
    command::DerivativeCache derivatives_;
    std::unique_ptr<FieldEvents> fieldEvents_;
};

} // namespace tavex
