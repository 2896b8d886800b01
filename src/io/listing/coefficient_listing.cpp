#include "io/listing/coefficient_listing.h"

#include "engine/kinds/basis_kind.h"
#include "model/number_text.h"

#include <array>
#include <cassert>

namespace tavex {

namespace {

std::size_t ValueCount(const ProblemModel& model, int k)
{
    return static_cast<std::size_t>(model.UpperIndices()[static_cast<std::size_t>(k)]) + 1;
}

// The factor of function m of variable v, as its kind writes it.
void AppendFactor(std::string& term, const ProblemModel& model, int v, int m)
{
    const Variable& variable = model.Var(v);
    BasisKindOf(variable.kind).AppendFactor(term, variable.name, variable.center, m);
}

} // namespace

std::string TermText(const ProblemModel& model, const PerVariable<int>& index)
{
    std::string term;
    for (int v = 0; v <= model.lastVar; ++v) {
        const int m = index[static_cast<std::size_t>(v)];
        if (m != 0)
            AppendFactor(term, model, v, m);
    }
    return term;
}

std::string BuildTermText(const ProblemModel& model, const PerVariable<int>& index)
{
    std::string line = TextOfNumber(model.coef(index[0], index[1], index[2], index[3]));
    line.append(kLinePadding, ' ');
    const std::string term = TermText(model, index);
    if (line.size() > kTermColumn)
        line.replace(kTermColumn, std::min(term.size(), line.size() - kTermColumn),
                     term.substr(0, line.size() - kTermColumn));
    return line;
}

CoefficientListing::CoefficientListing(const ProblemModel& model) : model_(model)
{
    block1_ = ValueCount(model, 0) + 1;
    block2_ = ValueCount(model, 1) * block1_ + 1;
    block3_ = ValueCount(model, 2) * block2_ + 1;
    lineCount_ = 1 + ValueCount(model, 3) * block3_;
}

std::string CoefficientListing::Line(std::size_t row) const
{
    assert(row < lineCount_);
    if (row == 0)
        return kCoefficientsHeading;
    std::size_t rest = row - 1;
    PerVariable<int> index{};
    const std::array<std::size_t, 3> blocks{block3_, block2_, block1_};
    for (std::size_t level = 0; level < blocks.size(); ++level) {
        index[3 - level] = static_cast<int>(rest / blocks[level]);
        rest %= blocks[level];
        if (rest == blocks[level] - 1)
            return {};
    }
    index[0] = static_cast<int>(rest);
    return BuildTermText(model_, index);
}

void WriteListingText(const ProblemModel& model, const TextSink& sink)
{
    constexpr std::size_t kPiece = 1 << 16;
    const PerVariable<int> upper = model.UpperIndices();
    // Each variable's factors, once: a line is its value and at most four of them.
    PerVariable<std::vector<std::string>> factors;
    for (int v = 0; v <= model.lastVar; ++v)
        for (int m = 0; m <= upper[static_cast<std::size_t>(v)]; ++m) {
            std::string factor;
            if (m != 0)
                AppendFactor(factor, model, v, m);
            factors[static_cast<std::size_t>(v)].push_back(std::move(factor));
        }
    std::string text;
    text.reserve(kPiece + 2 * kLinePadding);
    text.append(kCoefficientsHeading).append("\n");
    std::string term;
    for (int j3 = 0; j3 <= upper[3]; ++j3) {
        for (int j2 = 0; j2 <= upper[2]; ++j2) {
            for (int j1 = 0; j1 <= upper[1]; ++j1) {
                for (int j0 = 0; j0 <= upper[0]; ++j0) {
                    const PerVariable<int> index{j0, j1, j2, j3};
                    term.clear();
                    for (int v = 0; v <= model.lastVar; ++v)
                        term += factors[static_cast<std::size_t>(v)][static_cast<std::size_t>(index[static_cast<std::size_t>(v)])];
                    // As BuildTermText lays it out: the value, blanks to the term's
                    // column, the term cut where the padded line ends; then trimmed.
                    const std::size_t start = text.size();
                    char value[kMaxNumberText];
                    const auto length = static_cast<std::size_t>(WriteNumberText(model.coef(j0, j1, j2, j3), value));
                    assert(length < kTermColumn); // a number's text never reaches the term's column
                    text.append(value, length);
                    const std::size_t room = length + kLinePadding - kTermColumn;
                    const std::string_view shown = std::string_view(term).substr(0, room);
                    const std::size_t end = shown.find_last_not_of(' ');
                    if (end != std::string_view::npos) {
                        text.append(start + kTermColumn - text.size(), ' ');
                        text.append(shown.substr(0, end + 1));
                    }
                    text += '\n';
                    if (text.size() >= kPiece) {
                        sink(text);
                        text.clear();
                    }
                }
                text += '\n';
            }
            text += '\n';
        }
        text += '\n';
    }
    sink(text);
}

void ListCoefficients(const ProblemModel& model, std::vector<std::string>& lines)
{
    const CoefficientListing listing(model);
    lines.reserve(lines.size() + listing.LineCount());
    for (std::size_t row = 0; row < listing.LineCount(); ++row)
        lines.push_back(listing.Line(row));
}

} // namespace tavex

