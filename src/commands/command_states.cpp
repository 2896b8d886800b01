#include "commands/command_states.h"

namespace tavex::command {

CommandStates AvailableCommands(const ProblemModel& model, const Session& session)
{
    CommandStates states;
    const bool declared = session.stage == Stage::Specs;
    states.save = states.print = states.about = declared;
    states.countBox = session.stage == Stage::Count;
    states.namesBox = !declared;
    const Results results = declared ? model.ResultsState() : Results::None;
    states.evaluations = states.plot = states.exportCoefficients = states.calculus = results == Results::Current;
    states.listingOutOfDate = results == Results::OutOfDate;
    return states;
}

} // namespace tavex::command
