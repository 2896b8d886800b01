#include "data/value_lists.h"

#include "model/number_text.h"

#include <cassert>

namespace tavex {

bool StoreGridEntry(ProblemModel& model, int k, int row, std::string_view text)
{
    assert(row >= 0 && row <= model.Var(k).valueUpper);
    const double before = model.Var(k).Value(row);
    model.Var(k).SetValue(row, LeadingNumber(text));
    const bool changed = !(model.Var(k).Value(row) == before);
    if (changed)
        model.MarkEdited();
    return changed;
}

int PasteIntoList(ProblemModel& model, int k, int row, const std::vector<double>& values)
{
    const int upper = model.Var(k).valueUpper;
    int stored = 0;
    for (; stored < static_cast<int>(values.size()) && row + stored <= upper; ++stored)
        model.Var(k).SetValue(row + stored, values[static_cast<std::size_t>(stored)]);
    if (stored > 0)
        model.MarkEdited();
    return stored;
}

std::optional<std::string> DeleteListValue(ProblemModel& model, int k, int row)
{
    const auto s = static_cast<std::size_t>(k);
    const int last = model.Var(s).valueUpper;
    assert(row >= 0 && row <= last);
    if (last <= 1)
        return std::nullopt;
    std::string shown = TextOfNumber(model.Var(k).Value(last));
    model.Var(k).SetValue(row, LeadingNumber(shown));

    // Every slice of the table across dimension k: index `row` takes what index `last` holds.
    std::array<int, 4> upper = model.UpperIndices();
    upper[s] = 0;
    std::array<int, 4> i{};
    for (i[3] = 0; i[3] <= upper[3]; ++i[3])
        for (i[2] = 0; i[2] <= upper[2]; ++i[2])
            for (i[1] = 0; i[1] <= upper[1]; ++i[1])
                for (i[0] = 0; i[0] <= upper[0]; ++i[0]) {
                    std::array<int, 4> to = i, from = i;
                    to[s] = row;
                    from[s] = last;
                    model.funTable(to[0], to[1], to[2], to[3]) = model.funTable(from[0], from[1], from[2], from[3]);
                }
    model.Var(s).valueUpper = last - 1;
    model.MarkEdited();
    return shown;
}

} // namespace tavex
