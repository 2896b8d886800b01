// What the coefficients are worth after every way of editing a problem, and
// what Save then writes: a pair saved as computed reproduces its own table.
#include "commands/command_states.h"
#include "commands/compute_command.h"
#include "commands/file_commands.h"
#include "commands/value_commands.h"
#include "data/function_form.h"
#include "data/value_lists.h"
#include "engine/reproduction.h"
#include "support/temp_dir.h"
#include "setup/read_specs.h"
#include "setup/value_count.h"
#include "setup/variable_count.h"
#include "setup/variable_names.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <functional>

namespace tavex {
namespace {

// u and v on [-5, 5], four values each, centers 0; f = (1 + u / 5 + v^2 / 25) / 3.
// Neither the values nor the table keep all their digits in 15: a value the
// windows show and write back would change them.
struct Declared {
    ProblemModel model;
    Session session;
    Panels panels;

    Declared()
    {
        EXPECT_EQ(ConfirmVariableCount(model, "2", "4"), CountConfirmation::Confirmed);
        EXPECT_TRUE(AcceptVariableNames(model, "u,v").accepted);
        session.stage = Stage::Specs;
        for (PanelTexts& panel : panels)
            panel = {"-5", "5", "0", "*", "4", true, true};
        EXPECT_TRUE(ReadSpecs(model, panels));
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j) {
                const double u = model.Var(0).Value(i), v = model.Var(1).Value(j);
                model.funTable(i, j, 0, 0) = (1 + u / 5 + v * v / 25) / 3;
            }
        EXPECT_TRUE(command::Compute(model, session, panels).computed);
        model.MarkSaved();
    }
};

using Edit = std::function<void(Declared&)>;

// An edit, and what the coefficients are worth after it.
struct EditPath { const char* name; Edit edit; Results after; };

// "Edit values" on variable k, as the window does it: its list kept value by
// value from now on, its "Equally spaced" box unticked.
void OpenGrid(Declared& d, int k)
{
    ASSERT_TRUE(command::EditValues(d.model, d.session, d.panels, k).showGrid);
    d.panels[static_cast<std::size_t>(k)].spacedChecked = false;
}

void StoreTyped(Declared& d, FunctionForm::Box box, int k, const char* text)
{
    GridPoint point{};
    FunctionForm form(d.model, point, *ReadStartingSet(d.model, "1,1"));
    form.Edit(box, k, text);
}

const EditPath kPaths[] = {
    {"u's center, read by Save", [](Declared& d) { d.panels[0].center = std::string("1"); }, Results::OutOfDate},
    {"u's center, left in its box", [](Declared& d) { d.panels[0].center = std::string("1"), d.model.MarkEdited(); },
     Results::OutOfDate},
    {"v's kind", [](Declared& d) { d.panels[1].powerChecked = false; }, Results::OutOfDate},
    {"u's limits", [](Declared& d) { d.panels[0].upperLimit = std::string("6"); }, Results::OutOfDate},
    {"v's period, unused by a polynomial", [](Declared& d) { d.panels[1].period = std::string("3"); }, Results::OutOfDate},
    {"the same panels read again", [](Declared& d) { ASSERT_TRUE(ReadSpecs(d.model, d.panels)); }, Results::Current},
    {"a function value typed", [](Declared& d) { StoreTyped(d, FunctionForm::Box::Fun, 0, "7"); },
     Results::OutOfDate},
    {"a variable's value typed", [](Declared& d) { StoreTyped(d, FunctionForm::Box::Var, 1, "0.5"); },
     Results::OutOfDate},
    {"the function window stepped through",
     [](Declared& d) {
         GridPoint point{};
         FunctionForm form(d.model, point, *ReadStartingSet(d.model, "0,0"));
         for (int i = 0; i < 20; ++i)
             form.Step(true);
         // Each variable's own "+" round its values, through the index boxes' reactions.
         for (int i = 0; i < 4; ++i) {
             form.StepIndex(0, true);
             form.StepIndex(1, true);
         }
     },
     Results::Current},
    {"values pasted into the function window",
     [](Declared& d) {
         GridPoint point{};
         FunctionForm(d.model, point, *ReadStartingSet(d.model, "2,1")).Paste({4, 5});
     },
     Results::OutOfDate},
    {"the values grid opened and closed", [](Declared& d) { OpenGrid(d, 1); }, Results::Current},
    {"v's spacing box unticked", [](Declared& d) { d.panels[1].spacedChecked = false; }, Results::Current},
    {"a grid entry", [](Declared& d) { OpenGrid(d, 1), StoreGridEntry(d.model, 1, 2, "5.5"); }, Results::OutOfDate},
    {"a grid entry of the same value", [](Declared& d) { OpenGrid(d, 1), StoreGridEntry(d.model, 1, 3, "5"); },
     Results::Current},
    {"values pasted into the grid", [](Declared& d) { OpenGrid(d, 0), PasteIntoList(d.model, 0, 1, {0.25}); },
     Results::OutOfDate},
    {"a value deleted",
     [](Declared& d) {
         OpenGrid(d, 0);
         command::ValueListResult result;
         ASSERT_TRUE(command::DeleteValue(d.model, 0, 1, result));
         d.panels[0].valueCount = std::string(result.countText);
     },
     Results::OutOfDate},
    {"values added",
     [](Declared& d) {
         const command::ValueListResult result =
             command::AddValues(d.model, d.session, d.panels, 1, [] { return std::string("1"); });
         d.panels[1].valueCount = std::string(result.countText);
         d.panels[1].spacedChecked = false;
     },
     Results::None},
    {"a count changed",
     [](Declared& d) {
         d.panels[0].valueCount = std::string("5");
         ASSERT_EQ(LeaveValueCount(d.model, 0, {"5", "4"}, 3), CountChange::TablesEmptied);
     },
     Results::None},
};

class EveryEditPath : public ::testing::TestWithParam<EditPath> {};

TEST_P(EveryEditPath, LeavesCoefficientsThatBelongToTheProblemOrNoneAndSaveWritesOnlyThose)
{
    const EditPath& path = GetParam();
    Declared d;
    path.edit(d);
    // The window's listing follows the same state; Save reads the panels first.
    testing::TempDir dir;
    const command::SaveResult saved = command::Save(d.model, d.session, d.panels, dir.File("p"));
    ASSERT_TRUE(saved.outcome.ok) << saved.outcome.message;
    EXPECT_EQ(d.model.ResultsState(), path.after);
    EXPECT_EQ(saved.note.empty(), path.after != Results::OutOfDate);
    EXPECT_FALSE(d.model.IsModified());
    // Coefficients out of date are neither evaluated, plotted nor exported, and their listing says so.
    const command::CommandStates states = command::AvailableCommands(d.model, d.session);
    EXPECT_EQ(std::vector({states.evaluations, states.plot, states.exportCoefficients, states.calculus}),
              std::vector<bool>(4, path.after == Results::Current));
    EXPECT_EQ(states.listingOutOfDate, path.after == Results::OutOfDate);

    ProblemModel reopened;
    Session session;
    ASSERT_TRUE(command::Open(reopened, session, dir.File("p")).outcome.ok);
    EXPECT_EQ(reopened.IsComputed(), path.after == Results::Current);
    if (reopened.IsComputed()) {
        EXPECT_LT(MeasureReproduction(reopened, 1), 1e-14);
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, EveryEditPath, ::testing::ValuesIn(kPaths),
                         [](const ::testing::TestParamInfo<EditPath>& info) {
                             std::string name(info.param.name);
                             std::erase_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
                             return name;
                         });

} // namespace
} // namespace tavex
