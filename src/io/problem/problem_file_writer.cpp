#include "io/problem/problem_file_writer.h"

#include "base/parallel_for.h"
#include "io/text/comma_record.h"
#include "io/text/number_line.h"
#include "io/problem/table_walk.h"

#include <algorithm>
#include <cassert>
#include <vector>

namespace tavex {

namespace {

// The length of a typical number line; it only sizes the buffers.
constexpr std::size_t kTypicalLineLength = 24;
// Elements per piece of the coefficients.
constexpr std::size_t kPieceElements = 1 << 16;
// Neighbours along index 0 that share a cache line of a table.
constexpr int kLineNeighbours = 8;
// Pieces laid out at once per thread before they are handed on.
constexpr std::size_t kPiecesPerThread = 2;

// Lays out pieces 0..count-1 on every thread, a batch at a time, and hands
// their texts to the sink in order. Each piece fills `textsPerPiece` texts
// (handed on in that order too); the buffers serve batch after batch, so
// the memory used stays that of one batch however large the table. The
// text does not depend on the thread count.
void LayOutPieces(std::size_t count, std::size_t textsPerPiece,
                  const std::function<void(std::size_t piece, std::vector<std::string>& texts)>& layOut,
                  const TextSink& sink)
{
    const int threads = ResolveThreadCount(0);
    const std::size_t batch = std::min(count, static_cast<std::size_t>(threads) * kPiecesPerThread);
    std::vector<std::vector<std::string>> buffers(batch, std::vector<std::string>(textsPerPiece));
    for (std::size_t start = 0; start < count; start += batch) {
        const std::size_t size = std::min(batch, count - start);
        ParallelFor(size, threads, [&](std::size_t begin, std::size_t end) {
            for (std::size_t i = begin; i < end; ++i) {
                for (std::string& text : buffers[i])
                    text.clear();
                layOut(start + i, buffers[i]);
            }
        });
        for (std::size_t i = 0; i < size; ++i)
            for (const std::string& text : buffers[i])
                sink(text);
    }
}

// The coefficients in storage order, the first index fastest.
void WriteFirstFastestLines(const Table4& table, const PerVariable<int>& upper, const TextSink& sink)
{
    const TableWalk walk(table.extents(), upper, IndexOrder::FirstFastest);
    const std::size_t pieces = (walk.count() + kPieceElements - 1) / kPieceElements;
    LayOutPieces(pieces, 1, [&](std::size_t piece, std::vector<std::string>& texts) {
        const std::size_t first = piece * kPieceElements;
        const std::size_t last = std::min(walk.count(), first + kPieceElements);
        texts[0].reserve((last - first) * kTypicalLineLength);
        TableWalk at = walk;
        at.Seek(first);
        for (std::size_t i = first; i < last; ++i, at.Next())
            AppendNumberLine(texts[0], table.data()[at.offset()]);
    }, sink);
}

// The function table, the last index fastest: against the storage, where the
// first index runs fastest, so that element after element would each come
// from another cache line. Instead a block of neighbours along index 0 is read
// together, each value going to the text of its own value of index 0; those
// texts, one after the other, are the file's order.
void WriteLastFastestLines(const Table4& table, const PerVariable<int>& upper, const TextSink& sink)
{
    const int n0 = upper[0] + 1;
    const std::size_t perIndex0 = static_cast<std::size_t>(upper[1] + 1) * static_cast<std::size_t>(upper[2] + 1)
                                * static_cast<std::size_t>(upper[3] + 1);
    const std::size_t blocks = static_cast<std::size_t>((n0 + kLineNeighbours - 1) / kLineNeighbours);
    LayOutPieces(blocks, kLineNeighbours, [&](std::size_t block, std::vector<std::string>& texts) {
        const int first = static_cast<int>(block) * kLineNeighbours;
        const int width = std::min(kLineNeighbours, n0 - first);
        for (int w = 0; w < width; ++w)
            texts[static_cast<std::size_t>(w)].reserve(perIndex0 * kTypicalLineLength);
        for (int i1 = 0; i1 <= upper[1]; ++i1)
            for (int i2 = 0; i2 <= upper[2]; ++i2)
                for (int i3 = 0; i3 <= upper[3]; ++i3) {
                    const double* neighbours = table.data() + table.Offset(first, i1, i2, i3);
                    for (int w = 0; w < width; ++w)
                        AppendNumberLine(texts[static_cast<std::size_t>(w)], neighbours[w]);
                }
    }, sink);
}

} // namespace

void WriteFunctionValues(const ProblemModel& model, const TextSink& sink)
{
    WriteLastFastestLines(model.funTable, model.UpperIndices(), sink);
}

namespace {

std::string Joined(void (*write)(const ProblemModel&, const TextSink&), const ProblemModel& model)
{
    std::string text;
    write(model, [&text](std::string_view piece) { text += piece; });
    return text;
}

} // namespace

void WriteProblemFile(const ProblemModel& model, const TextSink& sink)
{
    assert(model.lastVar >= 0 && model.lastVar < kMaxVariables);
    std::string head;
    AppendNumberLine(head, model.lastVar);
    for (int k = 0; k <= model.lastVar; ++k) {
        CommaRecord(head)
            .Text(model.NameOf(k))
            .Number(model.Var(k).lowerLimit)
            .Number(model.Var(k).upperLimit)
            .Number(model.Var(k).center)
            .Boolean(!model.IsTrigonometric(k))
            .Number(model.Var(k).period)
            .Number(model.Var(k).valueUpper)
            .End();
    }
    CommaRecord(head).Boolean(model.IsComputed()).End();
    sink(head);
    if (model.IsComputed())
        WriteFirstFastestLines(model.coef, model.UpperIndices(), sink);
}

void WriteDataFile(const ProblemModel& model, const TextSink& sink)
{
    assert(model.lastVar >= 0 && model.lastVar < kMaxVariables);
    std::string head;
    AppendNumberLine(head, model.lastVar);
    for (int k = 0; k <= model.lastVar; ++k) {
        AppendNumberLine(head, model.Var(k).valueUpper);
        CommaRecord(head).Boolean(model.Var(k).isEquallySpaced).End();
    }
    // Only the slots that hold a variable have a count other than 0.
    for (int k = model.lastVar + 1; k < kMaxVariables; ++k)
        assert(model.Var(k).valueUpper == 0);
    for (int k = 0; k < kMaxVariables; ++k) {
        const int upper = model.Var(k).valueUpper;
        if (upper == 0)
            continue;
        for (int i = 0; i <= upper; ++i)
            AppendNumberLine(head, model.Var(k).Value(i));
    }
    sink(head);
    WriteFunctionValues(model, sink);
}

std::string ProblemFileText(const ProblemModel& model)
{
    return Joined(WriteProblemFile, model);
}

std::string DataFileText(const ProblemModel& model)
{
    return Joined(WriteDataFile, model);
}

FileOutcome CheckSavable(const ProblemModel& model, const std::string& problemPath)
{
    for (int k = 0; k <= model.lastVar; ++k) {
        if (!FitsQuotedField(model.NameOf(k)))
            return FileOutcome::Failure(problemPath + ": cannot save: the name of variable " + std::to_string(k + 1)
                                        + " holds a double quote or a line end, which the file cannot keep");
        if (model.Var(k).valueUpper < 1)
            return FileOutcome::Failure(problemPath + ": cannot save: variable " + std::to_string(k + 1)
                                        + " has fewer than 2 values");
    }
    return FileOutcome::Success();
}

} // namespace tavex
