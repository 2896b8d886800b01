#include "io/problem_file_writer.h"

#include "engine/parallel_for.h"
#include "io/comma_record.h"
#include "io/number_line.h"
#include "io/table_walk.h"

#include <algorithm>
#include <cassert>
#include <vector>

namespace tavex {

namespace {

// The length of a typical number line; it only sizes the buffers.
constexpr std::size_t kTypicalLineLength = 24;
// Elements per piece when formatting a table on several threads.
constexpr std::size_t kPieceElements = 1 << 16;

// Before the names are given the list may be shorter than the variable count.
std::string_view NameOf(const ProblemModel& model, int k)
{
    const auto s = static_cast<std::size_t>(k);
    return s < model.varName.size() ? std::string_view(model.varName[s]) : std::string_view();
}

std::array<int, 4> UsedUpper(const ProblemModel& model)
{
    std::array<int, 4> upper{};
    for (int k = 0; k <= model.lastVar; ++k)
        upper[static_cast<std::size_t>(k)] = model.valueUpper[static_cast<std::size_t>(k)];
    return upper;
}

// The table's number lines in the order given. Formatting is most of the time
// of a save, so large tables are formatted in pieces on every thread and the
// pieces joined in order: the text does not depend on the thread count.
void AppendTableLines(std::string& out, const Table4& table, const std::array<int, 4>& upper, IndexOrder order)
{
    const TableWalk walk(table.extents(), upper, order);
    const std::size_t pieceCount = (walk.count() + kPieceElements - 1) / kPieceElements;
    std::vector<std::string> pieces(pieceCount);
    ParallelFor(pieceCount, ResolveThreadCount(0), [&](std::size_t begin, std::size_t end) {
        for (std::size_t p = begin; p < end; ++p) {
            const std::size_t first = p * kPieceElements;
            const std::size_t last = std::min(walk.count(), first + kPieceElements);
            std::string& piece = pieces[p];
            piece.reserve((last - first) * kTypicalLineLength);
            TableWalk at = walk;
            at.Seek(first);
            for (std::size_t i = first; i < last; ++i, at.Next())
                AppendNumberLine(piece, table.data()[at.offset()]);
        }
    });
    std::size_t total = out.size();
    for (const auto& piece : pieces)
        total += piece.size();
    out.reserve(total);
    for (const auto& piece : pieces)
        out += piece;
}

} // namespace

std::string ProblemFileText(const ProblemModel& model)
{
    assert(model.lastVar >= 0 && model.lastVar < kMaxVariables);
    std::string out;
    AppendNumberLine(out, model.lastVar);
    for (int k = 0; k <= model.lastVar; ++k) {
        const auto s = static_cast<std::size_t>(k);
        CommaRecord(out)
            .Text(NameOf(model, k))
            .Number(model.lowerLimit[s])
            .Number(model.upperLimit[s])
            .Number(model.center[s])
            .Boolean(model.isPolynomial[s])
            .Number(model.period[s])
            .Number(model.valueUpper[s])
            .End();
    }
    CommaRecord(out).Boolean(model.isComputed).End();
    if (model.isComputed)
        AppendTableLines(out, model.coef, UsedUpper(model), IndexOrder::FirstFastest);
    return out;
}

std::string DataFileText(const ProblemModel& model)
{
    assert(model.lastVar >= 0 && model.lastVar < kMaxVariables);
    std::string out;
    AppendNumberLine(out, model.lastVar);
    for (int k = 0; k <= model.lastVar; ++k) {
        const auto s = static_cast<std::size_t>(k);
        AppendNumberLine(out, model.valueUpper[s]);
        CommaRecord(out).Boolean(model.isEquallySpaced[s]).End();
    }
    // Only the slots that hold a variable have a count other than 0.
    for (int k = model.lastVar + 1; k < kMaxVariables; ++k)
        assert(model.valueUpper[static_cast<std::size_t>(k)] == 0);
    for (int k = 0; k < kMaxVariables; ++k) {
        const int upper = model.valueUpper[static_cast<std::size_t>(k)];
        if (upper == 0)
            continue;
        for (int i = 0; i <= upper; ++i)
            AppendNumberLine(out, model.GetVarX(k, i));
    }
    AppendTableLines(out, model.funTable, UsedUpper(model), IndexOrder::LastFastest);
    return out;
}

FileOutcome CheckSavable(const ProblemModel& model, const std::string& problemPath)
{
    for (int k = 0; k <= model.lastVar; ++k) {
        const auto s = static_cast<std::size_t>(k);
        if (!FitsQuotedField(NameOf(model, k)))
            return FileOutcome::Failure(problemPath + ": cannot save: the name of variable " + std::to_string(k + 1)
                                        + " holds a double quote or a line end, which the file cannot keep");
        if (model.valueUpper[s] < 1)
            return FileOutcome::Failure(problemPath + ": cannot save: variable " + std::to_string(k + 1)
                                        + " has fewer than 2 values");
    }
    return FileOutcome::Success();
}

} // namespace tavex
