#include "app/coefficient_list_model.h"

#include "io/listing/coefficient_listing.h"

#include <algorithm>
#include <cassert>
#include <limits>

namespace tavex {

namespace {

// What the lines are built from, and nothing else: no function table, no
// value lists, so that the copy costs one copy of the coefficients.
std::unique_ptr<ProblemModel> ListingSnapshot(const ProblemModel& model)
{
    auto snapshot = std::make_unique<ProblemModel>();
    snapshot->lastVar = model.lastVar;
    for (int k = 0; k < kMaxVariables; ++k) {
        const Variable& variable = model.Var(k);
        Variable& copy = snapshot->Var(k);
        copy.name = variable.name;
        copy.kind = variable.kind;
        copy.center = variable.center;
        copy.period = variable.period;
        copy.valueUpper = variable.valueUpper;
    }
    if (model.IsComputed())
        snapshot->SetComputed();
    snapshot->coef = model.coef;
    return snapshot;
}

int TrimmedLength(const std::string& line)
{
    const auto last = line.find_last_not_of(' ');
    return last == std::string::npos ? 0 : static_cast<int>(last + 1);
}

// The longest line of a listing: the term grows with every index (more
// digits, higher multiples), so it is the last coefficient's, which lies at
// most four empty lines from the end; the heading may be longer still.
int WidestListingLine(const CoefficientListing& listing, std::size_t rows)
{
    int widest = rows > 0 ? TrimmedLength(listing.Line(0)) : 0;
    for (std::size_t back = 1; back <= std::min<std::size_t>(rows, 5); ++back)
        widest = std::max(widest, TrimmedLength(listing.Line(rows - back)));
    return widest;
}

} // namespace

struct CoefficientListModel::Block {
    int firstRow = 0;
    int rows = 0;
    std::unique_ptr<ProblemModel> snapshot; // with listing: a listing block
    std::unique_ptr<CoefficientListing> listing;
    std::string line;                       // otherwise: one line
};

CoefficientListModel::CoefficientListModel(QObject* parent)
    : QAbstractListModel(parent)
{
}

CoefficientListModel::~CoefficientListModel() = default;

void CoefficientListModel::AppendListing(const ProblemModel& model)
{
    auto block = std::make_unique<Block>();
    block->snapshot = ListingSnapshot(model);
    block->listing = std::make_unique<CoefficientListing>(*block->snapshot);
    // A view counts its rows in int; what lies beyond cannot be shown anyway.
    block->rows = static_cast<int>(std::min<std::size_t>(block->listing->LineCount(),
                                                         std::numeric_limits<int>::max() - rows_));
    widest_ = std::max(widest_, WidestListingLine(*block->listing, static_cast<std::size_t>(block->rows)));
    Append(std::move(block));
}

void CoefficientListModel::AppendLine(const std::string& line)
{
    auto block = std::make_unique<Block>();
    block->rows = 1;
    block->line = line;
    widest_ = std::max(widest_, TrimmedLength(line));
    Append(std::move(block));
}

void CoefficientListModel::Append(std::unique_ptr<Block> block)
{
    if (block->rows == 0)
        return;
    block->firstRow = rows_;
    beginInsertRows(QModelIndex(), rows_, rows_ + block->rows - 1);
    rows_ += block->rows;
    blocks_.push_back(std::move(block));
    endInsertRows();
}

void CoefficientListModel::Clear()
{
    beginResetModel();
    blocks_.clear();
    rows_ = 0;
    widest_ = 0;
    endResetModel();
}

int CoefficientListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

std::string CoefficientListModel::Line(int row) const
{
    assert(row >= 0 && row < rows_);
    const auto after = std::upper_bound(blocks_.begin(), blocks_.end(), row,
                                        [](int r, const std::unique_ptr<Block>& b) { return r < b->firstRow; });
    const Block& block = **(after - 1);
    if (!block.listing)
        return block.line;
    return block.listing->Line(static_cast<std::size_t>(row - block.firstRow));
}

QVariant CoefficientListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rows_)
        return {};
    if (role == kWidestLineRole)
        return widest_;
    if (role != Qt::DisplayRole)
        return {};
    return QString::fromStdString(Line(index.row()));
}

} // namespace tavex
