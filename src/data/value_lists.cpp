#include "data/value_lists.h"

#include "model/index_walk.h"
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
    const int last = model.Var(k).valueUpper;
    assert(row >= 0 && row <= last);
    if (last <= 1)
        return std::nullopt;
    std::string shown = TextOfNumber(model.Var(k).Value(last));
    model.Var(k).SetValue(row, LeadingNumber(shown));

    // Every slice of the table across dimension k: index `row` takes what index `last` holds.
    PerVariable<int> upper = model.UpperIndices();
    upper[s] = 0;
    ForEachIndex(upper, [&](const PerVariable<int>& i) {
        PerVariable<int> to = i, from = i;
        to[s] = row;
        from[s] = last;
        model.funTable.At(to) = model.funTable.At(from);
    });
    model.Var(k).valueUpper = last - 1;
    model.MarkEdited();
    return shown;
}

} // namespace tavex
