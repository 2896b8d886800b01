#include "spec/variable_names.h"

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
    model.varName = SplitAtCommas(text);
    const int pieces = static_cast<int>(model.varName.size());
    const int panels = std::min(pieces, model.lastVar + 1);

    NamesCheck check;
    while (check.namesShown < panels && !model.varName[static_cast<std::size_t>(check.namesShown)].empty())
        ++check.namesShown;
    check.accepted = pieces == model.lastVar + 1 && check.namesShown == pieces;
    return check;
}

} // namespace tavex
