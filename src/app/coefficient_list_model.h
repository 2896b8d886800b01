#pragma once

#include "model/problem_model.h"

#include <QAbstractListModel>

#include <memory>
#include <string>
#include <vector>

namespace tavex {

class CoefficientListing;

// The lines of lstCoeff. A listing of millions of coefficients is not turned
// into millions of strings: each listing keeps a copy of the coefficients and
// of what their terms are written with, taken when it was listed, and builds
// the lines the view asks for. Later changes to the problem do not show.
class CoefficientListModel final : public QAbstractListModel {
    Q_OBJECT

public:
    // The length in characters of the longest line without its trailing
    // blanks, under this role of any row: what the view must be able to
    // scroll to.
    static constexpr int kWidestLineRole = Qt::UserRole + 1;

    explicit CoefficientListModel(QObject* parent = nullptr);
    ~CoefficientListModel() override;

    // Appends the listing of the model's coefficients as they are now.
    void AppendListing(const ProblemModel& model);
    void AppendLine(const std::string& line);
    void Clear();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // The line itself, for the printed report and the tests.
    std::string Line(int row) const;

private:
    struct Block;
    void Append(std::unique_ptr<Block> block);

    std::vector<std::unique_ptr<Block>> blocks_;
    int rows_ = 0;
    int widest_ = 0;
};

} // namespace tavex
