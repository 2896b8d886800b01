#include "app/values_window.h"

#include "app/toolkit/message_box.h"
#include "app/toolkit/message_line.h"
#include "app/toolkit/named.h"
#include "app/toolkit/window_keys.h"
#include "commands/value_commands.h"
#include "data/function_form.h"
#include "data/value_lists.h"
#include "model/number_text.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>

namespace tavex {

namespace {

bool IsNumberCharacter(QChar c)
{
    return c.isDigit() || c == QLatin1Char('+') || c == QLatin1Char('-') || c == QLatin1Char('.')
        || c == QLatin1Char('E') || c == QLatin1Char('e');
}

} // namespace

ValueListModel::ValueListModel(const ProblemModel& model, int k, QObject* parent)
    : QAbstractTableModel(parent), model_(model), k_(k), rows_(model.Var(k).valueUpper + 1)
{
}

int ValueListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int ValueListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant ValueListModel::data(const QModelIndex& index, int role) const
{
    if (role == Qt::TextAlignmentRole)
        return index.column() == 0 ? int(Qt::AlignRight | Qt::AlignVCenter) : int(Qt::AlignCenter);
    if (role == Qt::BackgroundRole && index.column() == 0)
        return QPalette().brush(QPalette::Button); // shaded as a heading
    if (role == Qt::ForegroundRole && index.column() == 0)
        return QPalette().brush(QPalette::ButtonText);
    if (role != Qt::DisplayRole)
        return {};
    const int row = index.row();
    if (index.column() == 0)
        return QString::fromStdString(std::string(model_.NameOf(k_))) + QStringLiteral("(%1)=").arg(row);
    const auto typed = typed_.find(row);
    return typed != typed_.end() ? typed->second : QString::fromStdString(TextOfNumber(model_.Var(k_).Value(row)));
}

Qt::ItemFlags ValueListModel::flags(const QModelIndex& index) const
{
    // Column 0 is the fixed column: labels, never current.
    return index.column() == 0 ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void ValueListModel::Reset()
{
    beginResetModel();
    rows_ = model_.Var(k_).valueUpper + 1;
    typed_.clear();
    endResetModel();
}

void ValueListModel::Show(int row, const QString& text)
{
    if (text.isEmpty())
        typed_.erase(row);
    else
        typed_[row] = text;
    emit dataChanged(index(row, 1), index(row, 1));
}

void ValueListModel::RemoveLastRow()
{
    beginRemoveRows({}, rows_ - 1, rows_ - 1);
    typed_.erase(--rows_);
    endRemoveRows();
}

ValuesWindow::ValuesWindow(ProblemModel& model, Session& session, MessageBox& messages, QWidget* parent)
    : ToolWindow(parent), model_(model), session_(session), messages_(messages)
{
    setObjectName(QStringLiteral("frmVars"));
    SetHelpSection(this, QStringLiteral("values"));
    MSFlexGridVars = Named<QTableView>("MSFlexGridVars", this);
    MSFlexGridVars->setAccessibleName(QStringLiteral("Values"));
    MSFlexGridVars->horizontalHeader()->hide();
    MSFlexGridVars->horizontalHeader()->setStretchLastSection(true);
    MSFlexGridVars->verticalHeader()->hide();
    MSFlexGridVars->setSelectionMode(QAbstractItemView::SingleSelection);
    MSFlexGridVars->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The arrows move within the grid; Tab leaves it for the buttons, which it never reached before.
    MSFlexGridVars->setTabKeyNavigation(false);
    MSFlexGridVars->installEventFilter(this);
    txtDataEntry = Named<QLineEdit>("txtDataEntry", MSFlexGridVars->viewport());
    txtDataEntry->setAccessibleName(QStringLiteral("Value"));
    txtDataEntry->setAlignment(Qt::AlignCenter); // as the cells show their values
    txtDataEntry->hide();
    txtDataEntry->installEventFilter(this);
    auto* remove = Named<QPushButton>("cmdDelete", QStringLiteral("Delete"), this);
    remove->setAccessibleName(QStringLiteral("Delete value"));
    remove->setToolTip(QStringLiteral("Find maxima and minima"));
    auto* done = Named<QPushButton>("cmdExit", QStringLiteral("Done"), this);
    done->setAccessibleName(QStringLiteral("Done"));
    lblMessage = Named<QLabel>("lblMessage", this);
    lblMessage->setAccessibleName(QStringLiteral("Message"));
    lblMessage->setWordWrap(true);
    messageLine_ = std::make_unique<MessageLine>([this](const QString& text) { lblMessage->setText(text); });
    auto* layout = new QGridLayout(Body());
    layout->addWidget(MSFlexGridVars, 0, 0, 1, 2);
    layout->addWidget(remove, 1, 0);
    layout->addWidget(done, 1, 1);
    layout->addWidget(lblMessage, 2, 0, 1, 2);

    list_ = new ValueListModel(model_, session_.curVar, this);
    MSFlexGridVars->setModel(list_);
    connect(MSFlexGridVars->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (txtDataEntry->isVisible() && !txtDataEntry->hasFocus() && current.row() != entryRow_)
                    HideEntry();
            });
    connect(txtDataEntry, &QLineEdit::textChanged, this, [this] { CommitGridEntry(); });
    connect(MSFlexGridVars, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (index.column() == 1)
            ShowGridEntry();
    });
    // The box keeps to its cell: scrolled with it, and hidden when the grid's own keys move on.
    connect(MSFlexGridVars->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { PlaceEntry(entryRow_); });
    connect(remove, &QPushButton::clicked, this, [this] { DeleteGridValue(); });
    connect(done, &QPushButton::clicked, this, &QWidget::close);
    Populate();
    resize(360, 420);
}

ValuesWindow::~ValuesWindow()
{
    // The grid goes before this window's other controls: no signal of it may reach them.
    MSFlexGridVars->selectionModel()->disconnect(this);
}

void ValuesWindow::Populate()
{
    const int k = session_.curVar;
    HideEntry();
    list_->Reset();
    MSFlexGridVars->setColumnWidth(1, 2 * MSFlexGridVars->horizontalHeader()->defaultSectionSize());
    MSFlexGridVars->setCurrentIndex(list_->index(0, 1));
    setWindowTitle(QStringLiteral("Enter/edit values of variable: ") + QString::fromStdString(std::string(model_.NameOf(k))));
}

int ValuesWindow::CurrentRow() const
{
    return std::max(0, MSFlexGridVars->currentIndex().row());
}

void ValuesWindow::PlaceEntry(int row)
{
    if (row < 0)
        return;
    txtDataEntry->setGeometry(MSFlexGridVars->visualRect(list_->index(row, 1)));
}

void ValuesWindow::ShowGridEntry()
{
    const int row = CurrentRow();
    entryRow_ = -1; // the text set below is the cell's own
    txtDataEntry->setText(list_->data(list_->index(row, 1), Qt::DisplayRole).toString());
    entryRow_ = row;
    PlaceEntry(row);
    txtDataEntry->show();
    txtDataEntry->setFocus();
    txtDataEntry->selectAll();
}

void ValuesWindow::HideEntry()
{
    txtDataEntry->hide();
    entryRow_ = -1;
}

void ValuesWindow::CommitGridEntry()
{
    if (entryRow_ < 0 || txtDataEntry->isHidden())
        return;
    list_->Show(entryRow_, txtDataEntry->text());
    const bool changed = StoreGridEntry(model_, session_.curVar, entryRow_, txtDataEntry->text().toStdString());
    messageLine_->Check(txtDataEntry, PartReadNote(txtDataEntry->text().toStdString()));
    if (changed)
        DataChanged();
}

void ValuesWindow::DeleteGridValue()
{
    const int row = CurrentRow();
    const int last = model_.Var(static_cast<std::size_t>(session_.curVar)).valueUpper;
    command::ValueListResult result;
    const std::optional<std::string> shown = command::DeleteValue(model_, session_.curVar, row, result);
    if (!shown) {
        messages_.Tell(this, QStringLiteral("A variable needs at least two values; nothing was deleted."));
        return;
    }
    if (entryRow_ == last || row == last)
        HideEntry();
    list_->Show(row, QString::fromStdString(*shown));
    list_->RemoveLastRow();
    if (entryRow_ == row) {
        const int kept = entryRow_;
        entryRow_ = -1;
        txtDataEntry->setText(QString::fromStdString(*shown));
        entryRow_ = kept;
    }
    DataChanged();
    if (onCountChanged)
        onCountChanged(result.countText);
}

bool ValuesWindow::PasteNumbers()
{
    const std::optional<std::vector<double>> numbers = PastedNumbers(QApplication::clipboard()->text().toStdString());
    if (!numbers)
        return false;
    HideEntry();
    const int row = CurrentRow();
    const int stored = PasteIntoList(model_, session_.curVar, row, *numbers);
    for (int i = row; i < row + stored; ++i)
        list_->Show(i, {});
    if (stored > 0)
        DataChanged();
    return true;
}

bool ValuesWindow::GridKey(QKeyEvent& key)
{
    if (key.matches(QKeySequence::Paste))
        return PasteNumbers();
    const QString text = key.text();
    if (text.size() != 1 || !text[0].isPrint())
        return false;
    // A character typed on the grid opens the entry box; a number's
    // character starts the text, which the next keys continue.
    ShowGridEntry();
    if (IsNumberCharacter(text[0]))
        txtDataEntry->setText(text);
    const int row = CurrentRow();
    txtDataEntry->setToolTip(QStringLiteral("A(%1,1)=").arg(row) + list_->data(list_->index(row, 1), Qt::DisplayRole).toString());
    txtDataEntry->deselect();
    txtDataEntry->end(false);
    return true;
}

bool ValuesWindow::EntryKey(QKeyEvent& key)
{
    if (key.matches(QKeySequence::Paste))
        return PasteNumbers();
    const int row = CurrentRow();
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Left:
    case Qt::Key_Right:
        MSFlexGridVars->setFocus();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down: {
        const int next = row + (key.key() == Qt::Key_Up ? -1 : 1);
        MSFlexGridVars->setFocus();
        if (next >= 0 && next < list_->rowCount()) {
            MSFlexGridVars->setCurrentIndex(list_->index(next, 1));
            ShowGridEntry();
        }
        return true;
    }
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
        return false;
    default:
        break;
    }
    // Only a number's characters are typed; every other character, Backspace among them, is dropped.
    const QString text = key.text();
    return !text.isEmpty() && !(text.size() == 1 && IsNumberCharacter(text[0]));
}

bool ValuesWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto& key = static_cast<QKeyEvent&>(*event);
        if (watched == MSFlexGridVars)
            return GridKey(key);
        if (watched == txtDataEntry)
            return EntryKey(key);
    }
    return QWidget::eventFilter(watched, event);
}

QWidget* ValuesWindow::FirstField() const
{
    return MSFlexGridVars;
}

void ValuesWindow::Closing()
{
    CommitGridEntry();
}

} // namespace tavex
