#include "setup/variable_names.h"

#include "io/text/comma_record.h"

#include <algorithm>

namespace tavex {

namespace {

std::vector<std::string> SplitAtCommas(std::string_view text)
{
    std::vector<std::string> pieces;
    for (;;) {
        const auto comma = text.find(',');
        pieces.emplace_back(text.substr(0, comma));
        if (comma == std::string_view::npos)
            return pieces;
        text.remove_prefix(comma + 1);
    }
}

} // namespace

NamesCheck AcceptVariableNames(ProblemModel& model, std::string_view text)
{
    const std::vector<std::string> names = SplitAtCommas(text);
    const int pieces = static_cast<int>(names.size());
    bool changed = false;
    // Every slot takes its piece, or no name: no reader of the names meets fewer than variables.
    for (int k = 0; k < kMaxVariables; ++k) {
        std::string name = k < pieces ? names[static_cast<std::size_t>(k)] : std::string();
        changed = changed || name != model.Var(k).name;
        model.Var(k).name = std::move(name);
    }
    const int panels = std::min(pieces, model.lastVar + 1);

    NamesCheck check;
    while (check.namesShown < panels && !model.NameOf(check.namesShown).empty())
        ++check.namesShown;
    check.accepted = pieces == model.lastVar + 1 && check.namesShown == pieces;
    if (check.accepted)
        check.accepted = std::all_of(names.begin(), names.end(),
                                     [](const std::string& name) { return FitsQuotedField(name); });
    if (changed)
        model.MarkChanged(); // saved with the problem, but no coefficient depends on them
    return check;
}

} // namespace tavex
