#include "commands/value_commands.h"

#include "data/value_lists.h"
#include "io/problem/function_relay.h"
#include "model/number_text.h"
#include "setup/read_specs.h"
#include "setup/results.h"

#include <algorithm>

namespace tavex::command {

namespace {

std::string CountText(const ProblemModel& model, int k)
{
    return std::to_string(model.Var(k).valueUpper + 1);
}

// Makes a list not yet kept value by value take its equally spaced values.
bool MakeExplicit(ProblemModel& model, int k)
{
    if (model.Var(k).valuesExplicit)
        return false;
    model.FillSpacedValues(k);
    model.Var(k).valuesExplicit = true;
    return true;
}

// ReadSpecs, then variable k is the one worked on and its "Equally spaced"
// box is to be unticked; false, with the refusal, when the panels cannot be read.
bool StartOn(ProblemModel& model, Session& session, const Panels& panels, int k, ValueListResult& result)
{
    if (const SpecsRead read = ReadSpecs(model, panels); !read) {
        result.refusal = read.refusal;
        return false;
    }
    session.curVar = k;
    result.spacedUnchecked = true;
    return true;
}

} // namespace

ValueListResult EditValues(ProblemModel& model, Session& session, const Panels& panels, int k)
{
    ValueListResult result;
    if (!StartOn(model, session, panels, k, result))
        return result;
    result.becameExplicit = MakeExplicit(model, k);
    result.showGrid = true;
    result.countText = CountText(model, k);
    return result;
}

ValueListResult AddValues(ProblemModel& model, Session& session, const Panels& panels, int k,
                          const std::function<std::string()>& ask)
{
    ValueListResult result;
    if (!StartOn(model, session, panels, k, result))
        return result;
    const auto added = static_cast<int>(std::clamp<std::int64_t>(IndexFromText(ask()), 0, 1 << 30));
    result.countText = CountText(model, k);
    if (added == 0)
        return result;
    // The spaced values for the count before the addition; the new ones follow as zeros.
    if (!model.Var(k).valuesExplicit)
        model.FillSpacedValues(k);
    if (const FileOutcome relaid = ReLayFunTable(model, k, added, session.startDir); !relaid.ok) {
        result.refusal = relaid.message;
        return result;
    }
    result.becameExplicit = !model.Var(k).valuesExplicit;
    model.Var(k).valuesExplicit = true;
    model.Var(k).ResizeValues();
    result.listCleared = ClearResults(model, session);
    result.showGrid = true;
    result.countText = CountText(model, k);
    return result;
}

std::optional<std::string> DeleteValue(ProblemModel& model, int k, int row,
                                       ValueListResult& result)
{
    std::optional<std::string> shown = DeleteListValue(model, k, row);
    if (shown)
        result.countText = CountText(model, k);
    return shown;
}

StartAnswer ReviewFunction(ProblemModel& model, const Panels& panels, const std::string& answer, StartingSet& start,
                           std::string& refusal)
{
    if (answer.empty())
        return StartAnswer::Cancelled;
    // The counts first, so that the set is checked against the panels as they stand.
    if (const SpecsRead read = ReadSpecs(model, panels); !read) {
        refusal = read.refusal;
        return StartAnswer::Refused;
    }
    const std::optional<StartingSet> read = ReadStartingSet(model, answer);
    if (!read)
        return StartAnswer::AskAgain;
    start = *read;
    for (int k = 0; k <= model.lastVar; ++k)
        if (!model.Var(k).valuesExplicit)
            model.FillSpacedValues(k);
    return StartAnswer::Start;
}

} // namespace tavex::command
