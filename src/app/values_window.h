#pragma once

#include "app/toolkit/tool_window.h"
#include "model/problem_model.h"
#include "setup/session.h"

#include <QAbstractTableModel>

#include <functional>
#include <map>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace tavex {

class MessageLine;

class MessageBox;

// The rows of the values grid: column 0 the labels "x(0)=", column 1 the
// values, each as it was last typed or else as its standard text. Read from
// the problem on demand, so that a list of any length opens at once.
class ValueListModel final : public QAbstractTableModel {
public:
    ValueListModel(const ProblemModel& model, int k, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Every row anew from the problem: its values' standard texts.
    void Reset();
    // Row `row` shows `text` from now on; an empty text: its value's standard text.
    void Show(int row, const QString& text);
    // The list lost its last value.
    void RemoveLastRow();

private:
    const ProblemModel& model_;
    int k_;
    int rows_;
    std::map<int, QString> typed_;
};

// frmVars: the value list of one variable as a grid, each value stored as it
// is typed into the entry box that floats over the current cell; Delete
// moves the last value, and its slice of the function table, into the
// current row. The main window is disabled while it is open.
class ValuesWindow final : public ToolWindow {
public:
    ValuesWindow(ProblemModel& model, Session& session, MessageBox& messages, QWidget* parent);
    ~ValuesWindow() override;

    // PopulateGridVars: the rows of variable curVar and the caption.
    void Populate();

    // The count of the variable changed (Delete): what its count box shows now.
    std::function<void(const std::string& countText)> onCountChanged;

protected:
    QWidget* FirstField() const override;
    // The box's text is stored in its row.
    void Closing() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int CurrentRow() const;
    void ShowGridEntry();
    void PlaceEntry(int row);
    void CommitGridEntry();
    void HideEntry();
    void DeleteGridValue();
    bool PasteNumbers();
    bool GridKey(QKeyEvent& key);
    bool EntryKey(QKeyEvent& key);

    ProblemModel& model_;
    Session& session_;
    MessageBox& messages_;
    ValueListModel* list_ = nullptr;
    QTableView* MSFlexGridVars = nullptr;
    QLineEdit* txtDataEntry = nullptr;
    QLabel* lblMessage = nullptr; // how a value typed was read
    std::unique_ptr<MessageLine> messageLine_;
    int entryRow_ = -1; // the row the entry box covers while it is shown
};

} // namespace tavex
