#include "app/evaluation_window.h"

#include "app/toolkit/field_events.h"
#include "app/toolkit/named.h"
#include "app/toolkit/window_keys.h"
#include "commands/command_states.h"
#include "commands/evaluate_command.h"
#include "engine/derivative.h"
#include "model/number_text.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

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
                  Named<QLineEdit>(ElementName("txtVarx", k), Q(TextOfNumber(session.evalX[s])), fraEval),
                  Named<QLabel>(ElementName("lblOrder", k), QStringLiteral("Order:"), fraEval),
                  Named<QSpinBox>(ElementName("spnOrder", k), fraEval)};
        slot.lblVarx->setFont(bold);
        slot.lblVarx->setBuddy(slot.txtVarx);
        slot.txtVarx->setAccessibleName(name);
        fieldEvents_->SelectAllOnFocus(slot.txtVarx);
        slot.spnOrder->setRange(0, kMaxDerivativeOrder);
        slot.spnOrder->setAccessibleName(QStringLiteral("Order along ") + name);
        slot.spnOrder->setToolTip(QStringLiteral("How many times the derivative differentiates along ") + name);
        slot.lblOrder->setBuddy(slot.spnOrder);
        point->addWidget(slot.lblVarx, k, 0, Qt::AlignRight);
        point->addWidget(slot.txtVarx, k, 1);
        point->addWidget(slot.lblOrder, k, 2, Qt::AlignRight);
        point->addWidget(slot.spnOrder, k, 3);
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
    point->addWidget(txtFunction, model.lastVar + 1, 1, 1, 3);

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
    std::tie(lblDerivative, lblDerivValue) = resultRow("lblDerivative", QString(), "lblDerivValue", 3);
    std::tie(lblGrad, lblGradient) = resultRow("lblGrad", QStringLiteral("Gradient="), "lblGradient", 4);
    lblGrad->setAlignment(Qt::AlignRight | Qt::AlignTop);
    results->setAlignment(lblGrad, Qt::AlignRight | Qt::AlignTop);
    lblIntegral = resultRow("lblInt", QStringLiteral("Integral="), "lblIntegral", 5).second;
    lblMean = resultRow("lblAvg", QStringLiteral("Mean="), "lblMean", 6).second;
    lblIntegralBox = Named<QLabel>("lblIntegralBox", this);
    lblIntegralBox->setWordWrap(true);
    lblIntegralBox->setAccessibleName(QStringLiteral("Integrated over"));
    results->addWidget(lblIntegralBox, 7, 1);
    results->setColumnStretch(1, 1);
    for (QLabel* shown : {lblFunc, lblFuncValue, lblErr, lblError, lblGrad, lblGradient})
        shown->hide();
    lblMessage = Named<QLabel>("lblMessage", this);
    lblMessage->setWordWrap(true);
    lblMessage->setAccessibleName(QStringLiteral("Message"));
    // Dark red on a light window, light red on a dark one.
    const bool dark = palette().color(QPalette::Window).lightness() < 128;
    lblMessage->setStyleSheet(QStringLiteral("QLabel { color: %1; }").arg(dark ? "#ff8a80" : "#8a1c1c"));
    lblMessage->hide();
    results->addWidget(lblMessage, 8, 0, 1, 2);

    auto* compute = Named<QPushButton>("cmdCompute", QStringLiteral("Compute"), this);
    compute->setToolTip(QStringLiteral("Evaluate approximation and function"));
    cmdGradient = Named<QPushButton>("cmdGradient", QStringLiteral("&Gradient"), this);
    cmdGradient->setToolTip(QStringLiteral("Compute, and show every first derivative at the point"));
    cmdIntegrate = Named<QPushButton>("cmdIntegrate", QStringLiteral("&Integrate..."), this);
    cmdIntegrate->setToolTip(QStringLiteral("The integral and the mean over bounds you give"));
    auto* exit = Named<QPushButton>("cmdExit", QStringLiteral("E&xit"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {compute, cmdGradient, cmdIntegrate, exit})
        buttons->addWidget(button);

    auto* layout = new QGridLayout(Body());
    layout->addWidget(fraEval, 0, 0);
    layout->addLayout(results, 1, 0);
    layout->addLayout(buttons, 2, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The entries first, as a point is typed; the orders after them.
    std::vector<QWidget*> chain;
    for (const Slot& slot : slots_)
        chain.push_back(slot.txtVarx);
    chain.push_back(txtFunction);
    for (const Slot& slot : slots_) {
        chain.push_back(slot.spnOrder);
        connect(slot.spnOrder, &QSpinBox::valueChanged, this, &EvaluationWindow::OrdersChanged);
    }
    chain.insert(chain.end(), {compute, cmdGradient, cmdIntegrate, exit});
    for (std::size_t i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
    OrdersChanged();
    ShowIntegral();
    ApplyCommandStates();
    shownResults_ = {model_.ResultsState(), model_.Revision()};

    connect(compute, &QPushButton::clicked, this, &EvaluationWindow::Compute);
    connect(cmdGradient, &QPushButton::clicked, this, &EvaluationWindow::Gradient);
    connect(cmdIntegrate, &QPushButton::clicked, this, &EvaluationWindow::Integrate);
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
    derivativeShown_ = Orders();
    ShowDerivatives();
    ShowIntegral();
}

void EvaluationWindow::Gradient()
{
    gradientShown_ = true;
    lblGrad->show();
    lblGradient->show();
    Compute();
}

void EvaluationWindow::Integrate()
{
    // One row of bounds per variable.
    struct BoundsRow {
        QLabel* lblFrom;
        QLineEdit* txtFrom;
        QLabel* lblTo;
        QLineEdit* txtTo;
    };
    auto* dialog = Named<QDialog>("dlgBounds", this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QStringLiteral("Integrate"));
    auto* grid = new QGridLayout;
    const IntegrationBox box = box_.value_or(VariableIntervals(model_));
    std::vector<BoundsRow> rows;
    for (int k = 0; k <= model_.lastVar; ++k) {
        const auto s = static_cast<std::size_t>(k);
        const QString name = Q(std::string(model_.NameOf(k)));
        BoundsRow row{Named<QLabel>(ElementName("lblFrom", k), name + QStringLiteral(" from:"), dialog),
                      Named<QLineEdit>(ElementName("txtFrom", k), Q(TextOfNumber(box.lower[s])), dialog),
                      Named<QLabel>(ElementName("lblTo", k), QStringLiteral("to:"), dialog),
                      Named<QLineEdit>(ElementName("txtTo", k), Q(TextOfNumber(box.upper[s])), dialog)};
        row.lblFrom->setBuddy(row.txtFrom);
        row.lblTo->setBuddy(row.txtTo);
        row.txtFrom->setAccessibleName(name + QStringLiteral(" from"));
        row.txtTo->setAccessibleName(name + QStringLiteral(" to"));
        grid->addWidget(row.lblFrom, k, 0, Qt::AlignRight);
        grid->addWidget(row.txtFrom, k, 1);
        grid->addWidget(row.lblTo, k, 2, Qt::AlignRight);
        grid->addWidget(row.txtTo, k, 3);
        rows.push_back(row);
    }
    auto* message = Named<QLabel>("lblBoundsMessage", dialog);
    message->setStyleSheet(lblMessage->styleSheet());
    message->setAccessibleName(QStringLiteral("Message"));
    message->hide();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    auto* layout = new QVBoxLayout(dialog);
    layout->addLayout(grid);
    layout->addWidget(message);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::accepted, dialog, [this, dialog, message, rows] {
        PerVariable<std::string> from, to;
        for (std::size_t k = 0; k < rows.size(); ++k) {
            from[k] = rows[k].txtFrom->text().toStdString();
            to[k] = rows[k].txtTo->text().toStdString();
        }
        const std::variant<IntegrationBox, command::BoundsRefusal> read = command::ReadBounds(model_, from, to);
        if (const auto* refusal = std::get_if<command::BoundsRefusal>(&read)) {
            const BoundsRow& row = rows[static_cast<std::size_t>(refusal->variable)];
            QLineEdit* refused = refusal->upper ? row.txtTo : row.txtFrom;
            message->setText(Q(refusal->message));
            message->show();
            for (const BoundsRow& each : rows)
                for (QLineEdit* bound : {each.txtFrom, each.txtTo})
                    bound->setAccessibleDescription(bound == refused ? message->text() : QString());
            refused->setFocus();
            refused->selectAll();
            return;
        }
        box_ = std::get<IntegrationBox>(read);
        ShowIntegral();
        dialog->accept();
    });
    // Over this window only: the main window stays usable.
    dialog->open();
}

void EvaluationWindow::ResultsChanged()
{
    ApplyCommandStates();
    const std::pair shown(model_.ResultsState(), model_.Revision());
    if (shown == shownResults_)
        return;
    shownResults_ = shown;
    ShowIntegral();
    if (!computed_)
        return;
    // The entries may show another point by now; the labels belong to the one computed at.
    if (static_cast<int>(slots_.size()) == model_.lastVar + 1) {
        ShowResults(command::ApproximationAt(model_, session_.evalX));
        ShowDerivatives();
    } else {
        for (QLabel* value : {lblApprox, lblError, lblDerivValue, lblGradient})
            value->clear();
    }
}

PerVariable<int> EvaluationWindow::Orders() const
{
    PerVariable<int> orders{};
    for (std::size_t k = 0; k < slots_.size(); ++k)
        orders[k] = slots_[k].spnOrder->value();
    return orders;
}

void EvaluationWindow::OrdersChanged()
{
    lblDerivative->setText(Q(command::DerivativeName(model_, Orders())) + QLatin1Char('='));
    lblDerivValue->setAccessibleName(lblDerivative->text().chopped(1));
    if (derivativeShown_ != Orders()) {
        derivativeShown_.reset();
        lblDerivValue->clear();
    }
}

void EvaluationWindow::ShowDerivatives()
{
    if (derivativeShown_)
        lblDerivValue->setText(Q(command::DerivativeValueText(model_, derivatives_, *derivativeShown_, session_.evalX)));
    if (gradientShown_)
        lblGradient->setText(Q(command::GradientText(model_, derivatives_, session_.evalX)));
}

void EvaluationWindow::ShowIntegral()
{
    const IntegrationBox box = box_.value_or(VariableIntervals(model_));
    const command::IntegralTexts shown = command::IntegralOver(model_, box);
    lblIntegral->setText(Q(shown.integral));
    lblMean->setText(Q(shown.mean));
    // A line breaks between variables only, never inside "r from 0 to 2".
    QString over = Q(command::BoxText(model_, box)).replace(QLatin1Char(' '), QChar::Nbsp);
    over.replace(QStringLiteral(",") + QChar::Nbsp, QStringLiteral(", "));
    lblIntegralBox->setText(QStringLiteral("over ") + over);
}

void EvaluationWindow::ApplyCommandStates()
{
    const command::CommandStates states = command::AvailableCommands(model_, session_);
    cmdGradient->setEnabled(states.calculus);
    cmdIntegrate->setEnabled(states.calculus);
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
