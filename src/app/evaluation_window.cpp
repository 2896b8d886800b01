#include "app/evaluation_window.h"

#include "app/toolkit/field_events.h"
#include "app/toolkit/named.h"
#include "app/toolkit/window_keys.h"
#include "commands/evaluate_command.h"
#include "model/number_text.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tavex {

namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

EvaluationWindow::EvaluationWindow(const ProblemModel& model, Session& session, script::ScriptHost& host,
                                   QWidget* parent)
    : ToolWindow(parent, Placement::Beside), model_(model), session_(session), host_(host)
{
    setObjectName(QStringLiteral("frmEvaluations"));
    setWindowTitle(QStringLiteral("Evaluations"));
    SetHelpSection(this, QStringLiteral("evaluate"));
    fieldEvents_ = std::make_unique<FieldEvents>(this);

    auto* fraEval = Named<QGroupBox>("fraEval", QStringLiteral("Evaluation Point"), this);
    fraEval->setToolTip(QStringLiteral("Enter values for each variable"));
    auto* point = new QGridLayout(fraEval);
    QFont bold = font();
    bold.setBold(true);
    for (int k = 0; k <= model.lastVar; ++k) {
        const auto s = static_cast<std::size_t>(k);
        const QString name = Q(std::string(model.NameOf(k)));
        Slot slot{Named<QLabel>(ElementName("lblVarx", k), name + QLatin1Char('='), fraEval),
                  Named<QLineEdit>(ElementName("txtVarx", k), Q(TextOfNumber(session.evalX[s])), fraEval)};
        slot.lblVarx->setFont(bold);
        slot.lblVarx->setBuddy(slot.txtVarx);
        slot.txtVarx->setAccessibleName(name);
        fieldEvents_->SelectAllOnFocus(slot.txtVarx);
        point->addWidget(slot.lblVarx, k, 0, Qt::AlignRight);
        point->addWidget(slot.txtVarx, k, 1);
        slots_.push_back(slot);
    }
    auto* lblFunction = Named<QLabel>("lblFunction", QStringLiteral("Function:"), fraEval);
    txtFunction = Named<QLineEdit>("txtFunction", Q(session.evalFunction), fraEval);
    txtFunction->setToolTip(QStringLiteral("A formula of the variables, such as Sin(x)*Exp(-y), to compare the "
                                           "approximation with; may be left empty"));
    txtFunction->setAccessibleName(QStringLiteral("Function"));
    txtFunction->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Sin(x)*Exp(-y)+Cos(z*w)")));
    lblFunction->setBuddy(txtFunction);
    fieldEvents_->SelectAllOnFocus(txtFunction);
    point->addWidget(lblFunction, model.lastVar + 1, 0, Qt::AlignRight);
    point->addWidget(txtFunction, model.lastVar + 1, 1);

    auto* results = new QGridLayout;
    const auto resultRow = [&](const char* labelName, const QString& caption, const char* valueName, int row) {
        auto* label = Named<QLabel>(labelName, caption, this);
        auto* value = Named<QLabel>(valueName, this);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        label->setBuddy(value);
        results->addWidget(label, row, 0, Qt::AlignRight);
        results->addWidget(value, row, 1);
        return std::pair{label, value};
    };
    lblApprox = resultRow("lblAppr", QStringLiteral("Approximation="), "lblApprox", 0).second;
    std::tie(lblFunc, lblFuncValue) = resultRow("lblFunc", QStringLiteral("Function="), "lblFuncValue", 1);
    std::tie(lblErr, lblError) = resultRow("lblErr", QStringLiteral("Error="), "lblError", 2);
    results->setColumnStretch(1, 1);
    for (QLabel* shown : {lblFunc, lblFuncValue, lblErr, lblError})
        shown->hide();
    lblMessage = Named<QLabel>("lblMessage", this);
    lblMessage->setWordWrap(true);
    lblMessage->setAccessibleName(QStringLiteral("Message"));
    // Dark red on a light window, light red on a dark one.
    const bool dark = palette().color(QPalette::Window).lightness() < 128;
    lblMessage->setStyleSheet(QStringLiteral("QLabel { color: %1; }").arg(dark ? "#ff8a80" : "#8a1c1c"));
    lblMessage->hide();
    results->addWidget(lblMessage, 3, 0, 1, 2);

    auto* compute = Named<QPushButton>("cmdCompute", QStringLiteral("Compute"), this);
    compute->setToolTip(QStringLiteral("Evaluate approximation and function"));
    auto* exit = Named<QPushButton>("cmdExit", QStringLiteral("E&xit"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(compute);
    buttons->addWidget(exit);

    auto* layout = new QGridLayout(Body());
    layout->addWidget(fraEval, 0, 0);
    layout->addLayout(results, 1, 0);
    layout->addLayout(buttons, 2, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(compute, &QPushButton::clicked, this, &EvaluationWindow::Compute);
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
    // Enter in any entry computes, as the default button would in a dialog.
    for (QLineEdit* entry : findChildren<QLineEdit*>())
        connect(entry, &QLineEdit::returnPressed, this, &EvaluationWindow::Compute);
}

EvaluationWindow::~EvaluationWindow() = default;

QWidget* EvaluationWindow::FirstField() const
{
    return slots_.empty() ? nullptr : slots_.front().txtVarx;
}

void EvaluationWindow::Compute()
{
    PerVariable<std::string> coordinates;
    for (std::size_t k = 0; k < slots_.size(); ++k)
        coordinates[k] = slots_[k].txtVarx->text().toStdString();
    const command::PointEvaluation result =
        command::EvaluatePoint(model_, session_, host_, coordinates, txtFunction->text().toStdString());
    if (!result.refusal.empty()) {
        QLineEdit* refused = slots_[static_cast<std::size_t>(result.refused)].txtVarx;
        ShowMessage(Q(result.refusal), refused);
        refused->setFocus();
        refused->selectAll();
        return;
    }
    // A coordinate read only in part was evaluated as the rule reads it; the user is told which and how.
    QString note;
    QLineEdit* noted = nullptr;
    for (std::size_t k = 0; k < slots_.size() && !noted; ++k)
        if (const std::string read = PartReadNote(coordinates[k]); !read.empty()) {
            noted = slots_[k].txtVarx;
            note = Q(std::string(model_.NameOf(static_cast<int>(k))) + ": " + read);
        }
    ShowMessage(note, noted);
    for (QLabel* shown : {lblFunc, lblFuncValue, lblErr, lblError})
        shown->setVisible(result.compared);
    computed_ = true;
    shownResults_ = {model_.ResultsState(), model_.Revision()};
    function_ = result.function;
    lblFuncValue->setText(function_ ? Q(command::ShownValue(*function_)) : QString());
    ShowResults(result.approximation);
}

void EvaluationWindow::ResultsChanged()
{
    const std::pair shown(model_.ResultsState(), model_.Revision());
    if (!computed_ || shown == shownResults_)
        return;
    shownResults_ = shown;
    // The entries may show another point by now; the labels belong to the one computed at.
    if (static_cast<int>(slots_.size()) == model_.lastVar + 1) {
        ShowResults(command::ApproximationAt(model_, session_.evalX));
    } else {
        lblApprox->clear();
        lblError->clear();
    }
}

void EvaluationWindow::ShowResults(std::optional<double> approximation)
{
    const QString notCurrent = Q(command::NoCurrentValue(model_));
    lblApprox->setText(approximation ? Q(command::ShownValue(*approximation)) : notCurrent);
    if (!approximation)
        lblError->setText(notCurrent);
    else
        lblError->setText(function_ ? Q(command::ShownValue(*approximation - *function_)) : QString());
}

void EvaluationWindow::ShowMessage(const QString& message, QLineEdit* refused)
{
    lblMessage->setText(message);
    lblMessage->setVisible(!message.isEmpty());
    // Also where a screen reader looks: on the entry refused.
    for (const Slot& slot : slots_)
        slot.txtVarx->setAccessibleDescription(slot.txtVarx == refused ? message : QString());
}

} // namespace tavex
