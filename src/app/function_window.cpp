#include "app/function_window.h"

#include "app/toolkit/field_events.h"
#include "app/toolkit/message_line.h"
#include "app/toolkit/named.h"
#include "app/toolkit/window_keys.h"
#include "model/number_text.h"
#include "setup/entry_refusals.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tavex {

namespace {

using Box = FunctionForm::Box;

const QString kStepTip = QStringLiteral("Subtract the number of units show on the right");
const QString kStepUpTip = QStringLiteral("Add the number of units show on the right");

QPushButton* StepButton(const QString& name, bool up, const QString& spoken, QWidget* parent)
{
    auto* button = Named<QPushButton>(name, up ? QStringLiteral("+") : QStringLiteral("-"), parent);
    button->setToolTip(up ? kStepUpTip : kStepTip);
    button->setAccessibleName((up ? QStringLiteral("Next ") : QStringLiteral("Previous ")) + spoken);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setMaximumWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("MMM")));
    return button;
}

QWidget* Pair(QWidget* left, QWidget* right, QWidget* parent)
{
    auto* pair = new QWidget(parent);
    auto* layout = new QHBoxLayout(pair);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addStretch();
    layout->addWidget(left);
    layout->addWidget(right);
    layout->addStretch();
    return pair;
}

// An index box holds a few digits; a value box a number of 15 digits with its exponent.
void Fit(QLineEdit* box, bool index)
{
    const QString widest = index ? QStringLiteral("00000") : QStringLiteral("-0.00000000000000E-000");
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(widest) + 12);
}

} // namespace

FunctionWindow::FunctionWindow(ProblemModel& model, Session& session, const StartingSet& start, QWidget* parent)
    : ToolWindow(parent)
    , model_(model)
    , form_(model, session.funStartIndex, start)
{
    setObjectName(QStringLiteral("frmFun"));
    setWindowTitle(QStringLiteral("Enter/Edit values of function"));
    SetHelpSection(this, QStringLiteral("function"));
    auto* frame = Named<QFrame>(QStringLiteral("Frame1"), this);
    frame->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(frame);

    // Columns: the odd ones from 1 the top row's index boxes, the ones in
    // use the rightmost; the even ones between them the commas; then ")="
    // and the values. Every variable's own index box stands under the last
    // one of the top row.
    const int variables = model.lastVar + 1;
    const int indexColumn = 2 * kMaxVariables - 1;
    const int closeColumn = indexColumn + 1;
    const int valueColumn = indexColumn + 2;
    const int firstColumn = 1 + 2 * (kMaxVariables - variables);
    auto* dec = StepButton(QStringLiteral("cmdDecFunIndex"), false, QStringLiteral("point"), frame);
    auto* inc = StepButton(QStringLiteral("cmdIncFunIndex"), true, QStringLiteral("point"), frame);
    grid->addWidget(Pair(dec, inc, frame), 0, indexColumn);
    auto* lblFun = Named<QLabel>(QStringLiteral("lblFun"), QStringLiteral("f("), frame);
    grid->addWidget(lblFun, 1, firstColumn - 1, Qt::AlignRight);
    for (int k = 0; k < variables; ++k) {
        const QString name = QString::fromStdString(std::string(model.NameOf(k)));
        Row row{};
        row.txtFunIndex = Named<QLineEdit>(ElementName("txtFunIndex", k), frame);
        row.txtFunIndex->setAccessibleName(QStringLiteral("Index of %1 at the point").arg(name));
        grid->addWidget(row.txtFunIndex, 1, firstColumn + 2 * k);
        if (k == 0)
            lblFun->setBuddy(row.txtFunIndex);
        if (k > 0) {
            auto* comma = Named<QLabel>(ElementName("lblComma", k - 1), QStringLiteral(","), frame);
            comma->setBuddy(row.txtFunIndex);
            grid->addWidget(comma, 1, firstColumn + 2 * k - 1);
        }
        row.lblVar = Named<QLabel>(ElementName("lblVar", k), name + QLatin1Char('('), frame);
        row.txtVarIndex = Named<QLineEdit>(ElementName("txtVarIndex", k), frame);
        row.lblClose = Named<QLabel>(ElementName("lblClose", k), QStringLiteral(")="), frame);
        row.txtVar = Named<QLineEdit>(ElementName("txtVar", k), frame);
        row.lblVar->setBuddy(row.txtVarIndex);
        row.lblClose->setBuddy(row.txtVar);
        row.txtVarIndex->setAccessibleName(QStringLiteral("Index of ") + name);
        row.txtVar->setAccessibleName(QStringLiteral("Value of ") + name);
        row.cmdDecIndex = StepButton(ElementName("cmdDecIndex", k), false, QStringLiteral("index of ") + name, frame);
        row.cmdIncIndex = StepButton(ElementName("cmdIncIndex", k), true, QStringLiteral("index of ") + name, frame);
        const int r = 2 + 2 * k;
        grid->addWidget(row.lblVar, r, 0, 1, indexColumn, Qt::AlignRight);
        grid->addWidget(row.txtVarIndex, r, indexColumn);
        grid->addWidget(row.lblClose, r, closeColumn);
        grid->addWidget(row.txtVar, r, valueColumn);
        grid->addWidget(Pair(row.cmdDecIndex, row.cmdIncIndex, frame), r + 1, indexColumn);
        rows_.push_back(row);
    }
    auto* label5 = Named<QLabel>(QStringLiteral("Label5"), QStringLiteral(")="), frame);
    grid->addWidget(label5, 1, closeColumn);
    txtFun = Named<QLineEdit>(QStringLiteral("txtFun"), frame);
    txtFun->setAccessibleName(QStringLiteral("Function value"));
    label5->setBuddy(txtFun);
    grid->addWidget(txtFun, 1, valueColumn);
    for (QLineEdit* box : findChildren<QLineEdit*>())
        Fit(box, box != txtFun && !box->objectName().startsWith(QLatin1String("txtVar_")));
    grid->setColumnStretch(0, 1);

    lblPasted = Named<QLabel>(QStringLiteral("lblPasted"), this);
    lblPasted->setBuddy(txtFun);
    auto* done = Named<QPushButton>(QStringLiteral("cmdExit"), QStringLiteral("Done"), this);
    done->setAccessibleName(QStringLiteral("Done"));
    done->setFocusPolicy(Qt::StrongFocus);
    lblMessage = Named<QLabel>(QStringLiteral("lblMessage"), this);
    lblMessage->setAccessibleName(QStringLiteral("Message"));
    messageLine_ = std::make_unique<MessageLine>([this](const QString& text) { lblMessage->setText(text); });
    auto* whole = new QGridLayout(Body());
    whole->addWidget(frame, 0, 0, 1, 2);
    whole->addWidget(lblPasted, 1, 0);
    whole->addWidget(done, 1, 1);
    whole->addWidget(lblMessage, 2, 0, 1, 2);
    whole->setColumnStretch(0, 1);
    whole->setSizeConstraint(QLayout::SetFixedSize);

    fieldEvents_ = std::make_unique<FieldEvents>(this);
    fieldEvents_->SelectAllOnFocus(txtFun);
    connect(txtFun, &QLineEdit::textEdited, this, [this](const QString& text) { Edited(Box::Fun, 0, text); });
    txtFun->installEventFilter(this);
    for (int k = 0; k < variables; ++k) {
        const Row& row = rows_[static_cast<std::size_t>(k)];
        for (const auto& [box, edit] : {std::pair{Box::FunIndex, row.txtFunIndex}, std::pair{Box::VarIndex, row.txtVarIndex},
                                        std::pair{Box::Var, row.txtVar}}) {
            fieldEvents_->SelectAllOnFocus(edit);
            connect(edit, &QLineEdit::textEdited, this, [this, box = box, k](const QString& text) { Edited(box, k, text); });
            if (box != Box::Var)
                fieldEvents_->SetValidate(edit, [this, box = box, k, edit = edit] {
                    const bool inRange = form_.IndexInRange(box, k);
                    messageLine_->Check(edit, inRange ? std::string()
                                                      : IndexRefusal(model_.NameOf(k), form_.Text(box, k),
                                                                     model_.UpperIndices()[static_cast<std::size_t>(k)]));
                    return inRange;
                });
        }
        connect(row.cmdDecIndex, &QPushButton::clicked, this, [this, k] { form_.StepIndex(k, false); Refresh(); });
        connect(row.cmdIncIndex, &QPushButton::clicked, this, [this, k] { form_.StepIndex(k, true); Refresh(); });
    }
    connect(dec, &QPushButton::clicked, this, [this] { Step(false); });
    connect(inc, &QPushButton::clicked, this, [this] { Step(true); });
    connect(done, &QPushButton::clicked, this, &QWidget::close);
    form_.onValueEdited = [this](int k) {
        if (onValueEdited)
            onValueEdited(k);
    };
    form_.onDataChanged = [this] { DataChanged(); };
    Refresh();
}

FunctionWindow::~FunctionWindow() = default;

QLineEdit* FunctionWindow::WidgetOf(FunctionForm::Box box, int k) const
{
    const Row& row = rows_[static_cast<std::size_t>(k)];
    switch (box) {
    case Box::FunIndex:
        return row.txtFunIndex;
    case Box::VarIndex:
        return row.txtVarIndex;
    case Box::Var:
        return row.txtVar;
    case Box::Fun:
        break;
    }
    return txtFun;
}

void FunctionWindow::Edited(FunctionForm::Box box, int k, const QString& text)
{
    form_.Edit(box, k, text.toStdString());
    Refresh();
    // A value read only in part is stored as the rule reads it, and the user is told so.
    if (box == Box::Fun || box == Box::Var) {
        QLineEdit* edit = WidgetOf(box, k);
        messageLine_->Check(edit, PartReadNote(text.toStdString()));
    }
}

void FunctionWindow::Refresh()
{
    // Texts set here change no form: only the user's edits reach it.
    const auto show = [](QLineEdit* edit, const std::string& text) {
        const QString shown = QString::fromStdString(text);
        if (edit->text() != shown)
            edit->setText(shown);
    };
    show(txtFun, form_.Text(Box::Fun));
    for (int k = 0; k < static_cast<int>(rows_.size()); ++k)
        for (const Box box : {Box::FunIndex, Box::VarIndex, Box::Var})
            show(WidgetOf(box, k), form_.Text(box, k));
}

void FunctionWindow::Step(bool forward)
{
    form_.Step(forward);
    Refresh();
    txtFun->selectAll();
    lblPasted->clear();
}

bool FunctionWindow::PasteNumbers()
{
    const std::optional<std::vector<double>> numbers = PastedNumbers(QApplication::clipboard()->text().toStdString());
    if (!numbers)
        return false;
    const int stored = form_.Paste(*numbers);
    Refresh();
    txtFun->selectAll();
    lblPasted->setText(QStringLiteral("%1 values stored.").arg(stored));
    return true;
}

bool FunctionWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtFun && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Step(true);
            return true;
        }
        if (key->matches(QKeySequence::Paste))
            return PasteNumbers();
    }
    return QWidget::eventFilter(watched, event);
}

QWidget* FunctionWindow::FirstField() const
{
    return txtFun;
}

} // namespace tavex
