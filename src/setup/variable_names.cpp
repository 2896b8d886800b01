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
    const std::vector<std::string> before = model.varName;
    model.varName = SplitAtCommas(text);
    const int pieces = static_cast<int>(model.varName.size());
    // Every variable keeps a name slot, so that no reader of the names meets fewer than variables.
    if (model.varName.size() < static_cast<std::size_t>(model.lastVar) + 1)
        model.varName.resize(static_cast<std::size_t>(model.lastVar) + 1);
    const int panels = std::min(pieces, model.lastVar + 1);

    NamesCheck check;
    while (check.namesShown < panels && !model.varName[static_cast<std::size_t>(check.namesShown)].empty())
        ++check.namesShown;
    check.accepted = pieces == model.lastVar + 1 && check.namesShown == pieces;
    if (check.accepted)
        check.accepted = std::all_of(model.varName.begin(), model.varName.end(),
                                     [](const std::string& name) { return FitsQuotedField(name); });
    if (model.varName != before)
        model.MarkChanged(); // saved with the problem, but no coefficient depends on them
    return check;
}

} // namespace tavex
