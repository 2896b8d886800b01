// The tabulated data without windows: the function window's steps and boxes,
// the values grid's edits, Add values' re-lay of the function table.
#include "commands/value_commands.h"
#include "support/problem_builder.h"
#include "support/temp_dir.h"
#include "data/function_form.h"
#include "data/value_lists.h"
#include "io/problem/function_relay.h"
#include "model/number_text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace tavex {
namespace {

using Box = FunctionForm::Box;

// Variables of the given counts, their values 10 k + i, the function value at
// (i0, i1, i2, i3) 1000 i0 + 100 i1 + 10 i2 + i3.
ProblemModel Problem(std::initializer_list<int> counts)
{
    std::vector<testing::VariableSpec> variables;
    for (const int count : counts) {
        std::vector<double> values;
        for (int i = 0; i < count; ++i)
            values.push_back(10.0 * static_cast<double>(variables.size()) + i);
        variables.push_back({"", false, values});
    }
    ProblemModel model = testing::MakeProblem(variables);
    ForEachIndex(model.UpperIndices(), [&](const PerVariable<int>& i) {
        model.funTable(i[0], i[1], i[2], i[3]) = 1000 * i[0] + 100 * i[1] + 10 * i[2] + i[3];
    });
    return model;
}

TEST(FunctionWindow, OdometerOrderWrapsBothWays)
{
    const ProblemModel two = Problem({2, 3});
    GridPoint p{};
    std::vector<std::pair<int, int>> walked;
    for (int step = 0; step < 7; ++step, p = NextGridPoint(two, p))
        walked.emplace_back(p[0], p[1]);
    EXPECT_EQ(walked, (std::vector<std::pair<int, int>>{{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}, {0, 0}}));
    EXPECT_EQ(PreviousGridPoint(two, {}), (GridPoint{1, 2, 0, 0}));

    const ProblemModel one = Problem({3});
    std::vector<int> up, down;
    for (GridPoint q{}, r{}; up.size() < 4; q = NextGridPoint(one, q), r = PreviousGridPoint(one, r)) {
        up.push_back(q[0]);
        down.push_back(r[0]);
    }
    EXPECT_EQ(up, (std::vector<int>{0, 1, 2, 0}));
    EXPECT_EQ(down, (std::vector<int>{0, 2, 1, 0}));
}

TEST(FunctionWindow, StartingSetNamesAGridPointOrIsAskedAgain)
{
    const ProblemModel model = Problem({3, 3});
    for (const char* again : {"0,3", "-1,0", "1", "", "x"})
        EXPECT_FALSE(ReadStartingSet(model, again).has_value()) << again;
    const std::optional<StartingSet> start = ReadStartingSet(model, "1, 1.6,9");
    ASSERT_TRUE(start);
    EXPECT_EQ(start->point, (GridPoint{1, 2, 0, 0}));
    EXPECT_EQ(start->parts[1], " 1.6"); // shown as typed, blank and all
}

TEST(FunctionWindow, TypingAndSteppingStoreAndShowEveryValue)
{
    ProblemModel model = Problem({2, 3});
    GridPoint point{};
    FunctionForm form(model, point, *ReadStartingSet(model, "1,2"));
    int changes = 0;
    std::vector<int> edited;
    form.onDataChanged = [&] { ++changes; };
    form.onValueEdited = [&](int k) { edited.push_back(k); };
    EXPECT_EQ(form.Text(Box::Fun), "1200");
    EXPECT_EQ(form.Text(Box::Var, 1), "12");

    // A value typed and Enter: stored, and the next point shown (after the last, the first).
    form.Edit(Box::Fun, 0, "7.5");
    form.Step(true);
    EXPECT_EQ(model.funTable(1, 2, 0, 0), 7.5);
    EXPECT_EQ(point, (GridPoint{0, 0, 0, 0}));
    EXPECT_EQ(form.Text(Box::Fun) + form.Text(Box::FunIndex, 1) + form.Text(Box::VarIndex, 1), "000");
    EXPECT_EQ(changes, 1);
    // Stepping past a value shows it to 15 digits but never writes that text back.
    model.funTable(0, 1, 0, 0) = 0.12345678901234567;
    const std::uint64_t revision = model.Revision();
    form.Step(true);
    form.Step(false);
    form.Step(true);
    EXPECT_EQ(model.funTable(0, 1, 0, 0), 0.12345678901234567);
    EXPECT_EQ(std::pair(model.Revision(), changes), std::pair(revision, 1));

    // 1.6 in a variable's index box moves to index 2; both of its boxes show 2.
    form.Edit(Box::VarIndex, 1, "1.6");
    EXPECT_EQ(point, (GridPoint{0, 2, 0, 0}));
    EXPECT_EQ(form.Text(Box::FunIndex, 1) + form.Text(Box::VarIndex, 1), "22");
    EXPECT_EQ(form.Text(Box::Fun), "200");
    EXPECT_FALSE((form.Edit(Box::FunIndex, 0, "2"), form.IndexInRange(Box::FunIndex, 0)));
    form.Edit(Box::FunIndex, 0, "1");
    EXPECT_EQ(form.Text(Box::VarIndex, 0), "1");

    // A variable's value typed changes its list at every grid point using it,
    // and keeps the list value by value; moving between its values writes
    // nothing back, and the same number typed again is no edit.
    EXPECT_FALSE(model.Var(1).valuesExplicit);
    form.Edit(Box::Var, 1, "-4");
    EXPECT_EQ(model.Var(1).Value(2), -4.0);
    EXPECT_TRUE(model.Var(1).valuesExplicit && !model.Var(0).valuesExplicit);
    form.Edit(Box::Var, 1, "-4.0");
    EXPECT_EQ(edited, (std::vector<int>{1}));
    EXPECT_EQ(changes, 2);
    form.StepIndex(1, true); // past the last index to the first
    EXPECT_EQ(form.Text(Box::VarIndex, 1), "0");
    EXPECT_EQ(point, (GridPoint{1, 0, 0, 0}));
    EXPECT_EQ(std::pair(edited.size(), changes), std::pair(std::size_t{1}, 2));
}

TEST(FunctionWindow, PasteFillsSuccessivePointsUpToTheLast)
{
    ProblemModel model = Problem({2, 2});
    GridPoint point{};
    FunctionForm form(model, point, *ReadStartingSet(model, "0,1"));
    EXPECT_EQ(form.Paste({1, 2}), 2);
    EXPECT_EQ(model.funTable(0, 1, 0, 0) + model.funTable(1, 0, 0, 0), 3.0);
    EXPECT_EQ(point, (GridPoint{1, 1, 0, 0})); // the point after the last stored
    EXPECT_EQ(form.Paste({5, 6, 7}), 1);       // no wrapping past the last point
    EXPECT_EQ(form.Text(Box::Fun), "5");

    EXPECT_EQ(PastedNumbers("1\r\n2\t3;4,5 -6e1\n"), (std::vector<double>{1, 2, 3, 4, 5, -60}));
    for (const char* text : {"7", "1\nabc", " \n"})
        EXPECT_FALSE(PastedNumbers(text).has_value()) << text;
}

TEST(ValuesGrid, DeleteMovesTheLastValueAndItsSliceIntoTheRow)
{
    ProblemModel model = Problem({3, 4});
    for (int i = 0; i < 4; ++i)
        model.Var(1).SetValue(i, i + 1); // 1, 2, 3, 4
    EXPECT_EQ(DeleteListValue(model, 1, 1), "4");
    EXPECT_EQ(std::vector<double>(model.Var(1).values.begin(), model.Var(1).values.begin() + 3), (std::vector<double>{1, 4, 3}));
    EXPECT_EQ(model.Var(1).valueUpper, 2);
    for (int i0 = 0; i0 < 3; ++i0)
        EXPECT_EQ(model.funTable(i0, 1, 0, 0), 1000 * i0 + 300);
    EXPECT_EQ(DeleteListValue(model, 1, 2), "3"); // the last row itself
    EXPECT_FALSE(DeleteListValue(model, 1, 0).has_value()); // two values left: refused
    EXPECT_EQ(model.Var(1).valueUpper, 1);

    EXPECT_TRUE(StoreGridEntry(model, 0, 1, "1.5e-3"));
    EXPECT_EQ(model.Var(0).Value(1), 1.5e-3);
    EXPECT_FALSE(StoreGridEntry(model, 0, 1, "0.0015"));
    EXPECT_EQ(PasteIntoList(model, 0, 1, {7, 8, 9}), 2);
    EXPECT_EQ(model.Var(0).Value(2), 8.0);
}

TEST(AddValues, EveryFunctionValueKeepsItsGridPoint)
{
    const testing::TempDir folder;
    ProblemModel model = Problem({2, 3});
    model.funTable(1, 2, 0, 0) = 0.12345678901234567; // 17 digits: back to 15 on the way
    ASSERT_TRUE(ReLayFunTable(model, 1, 2, folder.path()).ok);
    ASSERT_TRUE(ReLayFunTable(model, 0, 1, folder.path()).ok);
    EXPECT_EQ(model.funTable.extents(), (Table4::Extents{3, 5, 1, 1}));
    EXPECT_EQ(model.funTable(1, 1, 0, 0), 1100.0);
    EXPECT_EQ(model.funTable(1, 2, 0, 0), 0.123456789012346);
    EXPECT_EQ(model.funTable(1, 3, 0, 0) + model.funTable(2, 0, 0, 0), 0.0);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path())); // the temporary file is gone
    // A folder that cannot take the file: the system's temporary folder does;
    // when neither can, nothing changes and the outcome says why.
    EXPECT_TRUE(ReLayFunTable(model, 0, 1, "/no/such/folder").ok);
    const ProblemModel before = model;
    const char* const tmpdir = std::getenv("TMPDIR");
    const std::string saved = tmpdir ? tmpdir : "";
    ::setenv("TMPDIR", "/no/such/folder", 1);
    const FileOutcome refused = ReLayFunTable(model, 1, 1, "/no/such/folder");
    tmpdir ? ::setenv("TMPDIR", saved.c_str(), 1) : ::unsetenv("TMPDIR");
    EXPECT_FALSE(refused.ok);
    EXPECT_NE(refused.message.find("no values were added"), std::string::npos) << refused.message;
    EXPECT_TRUE(testing::EachVariable(model, &Variable::valueUpper) == testing::EachVariable(before, &Variable::valueUpper) && model.funTable == before.funTable);

    Session session;
    for (const auto& [answer, added] : std::initializer_list<std::pair<const char*, int>>{
             {"abc", 0}, {"-3", 0}, {"2.5", 2}, {"3.5", 4}}) {
        ProblemModel fresh = Problem({2});
        fresh.SetComputed();
        Panels panels;
        const command::ValueListResult result =
            command::AddValues(fresh, session, panels, 0, [answer = answer] { return std::string(answer); });
        EXPECT_EQ(fresh.Var(0).valueUpper, 1 + added) << answer;
        EXPECT_EQ(result.countText, std::to_string(2 + added));
        // coef is all zero after an addition
        EXPECT_EQ(fresh.ResultsState() == Results::None, added != 0) << answer;
        EXPECT_EQ(fresh.Var(0).values.size(), static_cast<std::size_t>(2 + added));
    }
}

} // namespace
} // namespace tavex
