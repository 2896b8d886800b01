// The checks of the entries: the variable count, the names, the limits and
// the value counts, and what leaving the count boxes does to the tables; the
// panels read into the model, and the model shown in them.
#include "model/star_value.h"
#include "support/problem_builder.h"
#include "setup/entry_refusals.h"
#include "setup/field_checks.h"
#include "setup/read_specs.h"
#include "setup/shown_specs.h"
#include "setup/value_count.h"
#include "setup/variable_count.h"
#include "setup/variable_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace tavex {
namespace {

const NumberFormat kCommaGroups{","};

TEST(FieldChecks, OneNumberInTheUserFormat)
{
    for (const char* text : {"0", "-5", "+5", "5.", ".5", "-0.25", "1e3", "1E-3", "2.5e+10", " 7 ", "\t7", "1,000",
                             "12,345,678.5", "1,0"})
        EXPECT_TRUE(IsNumberInUserFormat(text, kCommaGroups)) << '"' << text << '"';
    for (const char* text : {"", " ", "-", "+", ".", "e5", "1e", "1e+", "abc", "5 x", "1 2", "--5", "1.2.3", ",5",
                             "5,", "1,,000", "1,.5", "1.5,000", "1e400", "-1e400", "inf", "nan", "0x10", "1d3"})
        EXPECT_FALSE(IsNumberInUserFormat(text, kCommaGroups)) << '"' << text << '"';
    EXPECT_TRUE(IsAcceptableLimit("1,000", kCommaGroups));
    // The group separator is the user's; once "." is the decimal point it cannot also group digits.
    EXPECT_FALSE(IsNumberInUserFormat("1,000", NumberFormat{}));
    EXPECT_TRUE(IsNumberInUserFormat("1 000", NumberFormat{" "}));
    EXPECT_TRUE(IsNumberInUserFormat("1\u202f000", NumberFormat{"\u202f"}));
    EXPECT_TRUE(IsNumberInUserFormat("1'000.5", NumberFormat{"'"}));
    EXPECT_TRUE(IsNumberInUserFormat("1.5", NumberFormat{"."}));
    EXPECT_FALSE(IsNumberInUserFormat("1.000.000", NumberFormat{"."}));
}

// Every refusal in words, and silence for every text its check accepts.
TEST(EntryRefusals, SayWhyTheCheckRefusesAndNothingWhenItAccepts)
{
    const NumberFormat comma{","};
    const std::pair<std::string, std::string> cases[] = {
        {VariableCountRefusal("3"), ""}, {VariableCountRefusal("0.5"), ""},
        {VariableCountRefusal("7"), "Number of variables: type a whole number from 1 to 4"},
        {VariableCountRefusal("abc"), "Number of variables: type a whole number from 1 to 4"},
        {NamesRefusal(1, "x,y"), ""}, {NamesRefusal(1, "x"), "Names: 2 variables need 2 names, separated by commas"},
        {NamesRefusal(0, "a,b"), "Names: 1 variable needs 1 name, separated by commas"},
        {NamesRefusal(2, "p,,q"), "Names: name 2 is empty"}, {LimitRefusal("Lower limit", "-1,000.5", comma), ""},
        {NamesRefusal(1, "x,say \"y\""),
         "Names: name 2 holds a double quote or a line end, which a problem file cannot keep"},
        {LimitRefusal("Lower limit", "abc", comma), "Lower limit: 'abc' is not a number"},
        {LimitRefusal("Upper limit", "", comma), "Upper limit: type a number"},
        {LimitRefusal("Upper limit", std::string(40, '9') + "x", comma),
         "Upper limit: '999999999999999999999999...' is not a number"},
        {ValueCountRefusal("2.5", comma), ""}, {ValueCountRefusal("1", comma), "# of values: a variable needs at least 2 values"},
        {ValueCountRefusal("x", comma), "# of values: 'x' is not a number"},
        {ValueCountRefusal("1E+12", comma), "# of values: '1E+12' is more values than a variable can have"},
        {IndexRefusal("x", "3", 3), ""}, {IndexRefusal("x", "4", 3), "Index of x: type a whole number from 0 to 3"},
        {IndexRefusal("y", "-0.5", 1), "Index of y: type a whole number from 0 to 1"},
    };
    for (const auto& [said, expected] : cases)
        EXPECT_EQ(said, expected);
}

TEST(ValueCount, AtLeastTwoValuesWhoseUpperIndexRoundsHalfToEven)
{
    for (const char* text : {"2", "2.5", "3", "1e3", "2147483648"})
        EXPECT_TRUE(IsAcceptableValueCount(text, kCommaGroups)) << text;
    for (const char* text : {"1", "1.99", "0", "-3", "abc", "", "2 values", "2147483649", "1e300"})
        EXPECT_FALSE(IsAcceptableValueCount(text, kCommaGroups)) << text;
    const std::pair<const char*, int> uppers[] = {
        {"2", 1}, {"2.5", 2}, {"3.5", 2}, {"abc", -1}, {"1e300", std::numeric_limits<int>::max()}};
    for (const auto& [text, upper] : uppers)
        EXPECT_EQ(ValueUpperFromText(text), upper) << text;
}

TEST(ValueCount, TheCheckForetellsLeavingTheBoxWhichReshapesTheTablesOnlyForANewCount)
{
    struct Case { const char *first, *second; int k; CountChange change; PerVariable<int> upper; };
    const Case cases[] = {
        {"abc", "2", 0, CountChange::NotACount, {1, 1, 0, 0}},
        {"1", "2", 0, CountChange::NotACount, {1, 1, 0, 0}},
        {"2.4", "2", 0, CountChange::Unchanged, {1, 1, 0, 0}}, // still two values
        {"2", "3", 1, CountChange::TablesEmptied, {1, 2, 0, 0}},
        // The tables follow every box, also one never visited since the panels were created.
        {"3", "4", 0, CountChange::TablesEmptied, {2, 3, 0, 0}},
        // Both tables within half of any machine's memory: no run waits
        // minutes while terabytes are asked for and zeroed.
        {"1e12", "2", 0, CountChange::TablesTooLarge, {1, 1, 0, 0}},
        {"2147483648", "2147483648", 0, CountChange::TablesTooLarge, {1, 1, 0, 0}},
    };
    for (const Case& c : cases) {
        ProblemModel model = testing::MakeProblem({{"", false, {0, 0}}, {"", false, {0, 0}}});
        model.funTable(1, 1, 0, 0) = 5.0;
        const PerVariable<std::string> counts{c.first, c.second, "2", "2"};
        EXPECT_EQ(CheckValueCount(model, c.k, counts, 1, NumberFormat{}), c.change) << c.first << ", " << c.second;
        EXPECT_EQ(model.funTable(1, 1, 0, 0), 5.0);
        EXPECT_EQ(model.Var(0).valueUpper, 1);
        EXPECT_EQ(LeaveValueCount(model, c.k, counts, 1), c.change) << c.first << ", " << c.second;
        EXPECT_EQ(testing::EachVariable(model, &Variable::valueUpper), c.upper);
        EXPECT_EQ(model.funTable.extents(), (Table4::Extents{c.upper[0] + 1, c.upper[1] + 1, 1, 1}));
        EXPECT_EQ(model.coef.extents(), model.funTable.extents());
        EXPECT_EQ(model.funTable(1, 1, 0, 0), c.change == CountChange::TablesEmptied ? 0.0 : 5.0);
        // The lists are as long as the counts at once; ReadSpecs writes their values.
        EXPECT_EQ(model.Var(1).values.size(), c.upper[1] + 1u);
    }
}

TEST(VariableCount, ConfirmsOneToFourVariablesOrChangesNothing)
{
    const std::pair<const char*, int> cases[] = { // lastVar, -1: refused
        {"0", -1}, {"-1", -1}, {"abc", -1}, {"5", -1}, {"4.5", -1}, {"", -1}, {"1e400", -1}, {"nan", -1},
        {"4", 3}, {"1", 0}, {"3 variables", 2}, {"1.4", 0}, {"3.9", 3}, {"4.4", -1},
        // Ties go to the even lastVar: 2.5 - 1 = 1.5 gives 2, 3.5 - 1 = 2.5 gives 2; below 0.5 the
        // count would round to no variable.
        {"2.5", 2}, {"3.5", 2}, {"0.1", -1}, {"0.49", -1}, {"0.5", 0},
    };
    for (const auto& [text, lastVar] : cases) {
        ProblemModel model;
        model.funTable(0, 0, 0, 0) = 1.0;
        const auto expected = lastVar < 0 ? CountConfirmation::NotACount : CountConfirmation::Confirmed;
        EXPECT_EQ(LastVarOfCount(text), lastVar < 0 ? std::nullopt : std::optional(lastVar)) << text;
        EXPECT_EQ(CheckVariableCount(text, "2"), expected) << text;
        EXPECT_EQ(ConfirmVariableCount(model, text, "2"), expected) << text;
        EXPECT_EQ(model.lastVar, std::max(lastVar, 0)) << text;
        EXPECT_EQ(model.funTable(0, 0, 0, 0), lastVar < 0 ? 1.0 : 0.0) << text;
    }
}

TEST(VariableCount, ConfirmationShapesTheTablesForThePanelsInTheSameStep)
{
    ProblemModel model;
    testing::SetEachVariable(model, &Variable::lowerLimit, {1, 2, 3, 4});
    // The panels are copies of the first; its count box gives every dimension
    // in use the upper index n (3.5 rounds to the even 4).
    ASSERT_EQ(ConfirmVariableCount(model, "2", "3.5"), CountConfirmation::Confirmed);
    EXPECT_EQ(model.funTable.extents(), (Table4::Extents{5, 5, 1, 1}));
    EXPECT_EQ(model.coef.extents(), model.funTable.extents());
    EXPECT_EQ(testing::EachVariable(model, &Variable::lowerLimit), (PerVariable<double>{}));
    ASSERT_EQ(ConfirmVariableCount(model, "3", "-4"), CountConfirmation::Confirmed);
    EXPECT_EQ(model.funTable.extents(), (Table4::Extents{1, 1, 1, 1}));
    // Tables beyond their share of memory refuse the count.
    EXPECT_EQ(CheckVariableCount("4", "1e6"), CountConfirmation::TablesTooLarge);
    EXPECT_EQ(ConfirmVariableCount(model, "4", "1e6"), CountConfirmation::TablesTooLarge);
    EXPECT_EQ(model.lastVar, 2);
    EXPECT_EQ(model.funTable.size(), 1u);
}

using Names = std::vector<std::string>;

TEST(VariableNames, AcceptsExactlyOneNonEmptySavableNamePerVariableAndKeepsThePieces)
{
    struct Case { int variables; const char* text; bool accepted; Names names; int shown; };
    const Case cases[] = {
        {2, "x,y", true, {"x", "y"}, 2}, {1, "x", true, {"x"}, 1},
        {2, "x, y", true, {"x", " y"}, 2},  // blanks around a name are part of it
        {3, "a,b", false, {"a", "b", ""}, 2}, // every variable keeps a name slot
        {2, "x,y,z", false, {"x", "y", "z"}, 2}, {2, "x,,y", false, {"x", "", "y"}, 1},
        {2, "x,", false, {"x", ""}, 1}, {2, ",y", false, {"", "y"}, 0}, {2, "", false, {"", ""}, 0},
        // The problem file quotes names without an escape: such a name could
        // never be saved, and the names box locks once the names are accepted.
        {2, "x,say \"y\"", false, {"x", "say \"y\""}, 2},
    };
    for (const Case& c : cases) {
        ProblemModel model = testing::MakeProblem(std::vector<testing::VariableSpec>(static_cast<std::size_t>(c.variables)));
        const NamesCheck check = AcceptVariableNames(model, c.text);
        EXPECT_EQ(check.accepted, c.accepted) << c.text;
        const PerVariable<std::string> slots = testing::EachVariable(model, &Variable::name);
        EXPECT_EQ(Names(slots.begin(), slots.begin() + static_cast<long>(c.names.size())), c.names) << c.text;
        EXPECT_EQ(check.namesShown, c.shown) << c.text;
        EXPECT_EQ(NamesRefusal(model.lastVar, c.text).empty(), c.accepted) << c.text;
    }
}

// A model as the count confirmation leaves it: `count` variables of one
// value, tables with room for up to ten values of each.
ProblemModel WithVariables(int count)
{
    ProblemModel model = testing::MakeProblem(std::vector<testing::VariableSpec>(static_cast<std::size_t>(count)));
    PerVariable<int> room{};
    std::fill_n(room.begin(), count, 9);
    testing::AddTableRoom(model, room);
    return model;
}

TEST(ReadSpecs, CopiesEveryPanelIntoTheModelAndLeavesTheCoefficientsAlone)
{
    ProblemModel model = WithVariables(4);
    model.coef(1, 0, 0, 0) = 42.0;
    model.SetComputed();
    model.Var(3).valuesExplicit = true;
    model.Var(3).valueUpper = 2;
    model.Var(3).ResizeValues();
    model.Var(3).SetValue(1, 7.0);
    Panels panels;
    panels[0] = {"1", "2", "*", "*", "3", true, true};
    panels[1] = {"-1e1", "4 apples", "0.5", "3", "4.5", false, false}; // 4.5 - 1 = 3.5 goes to the even 4
    panels[2] = {"6", "-4", " *", "* ", "3", true, true}; // only "*" itself is the shorthand
    panels[3] = {"0", "1", "*", "*", "3", true, false};
    ASSERT_TRUE(ReadSpecs(model, panels));

    EXPECT_EQ(testing::EachVariable(model, &Variable::lowerLimit), (PerVariable<double>{1, -10, 6, 0}));
    EXPECT_EQ(testing::EachVariable(model, &Variable::upperLimit), (PerVariable<double>{2, 4, -4, 1}));
    EXPECT_EQ(testing::EachVariable(model, &Variable::valueUpper), (PerVariable<int>{2, 4, 2, 2}));
    EXPECT_EQ(testing::EachVariable(model, &Variable::center), (PerVariable<double>{1.5, 0.5, 0, 0.5}));
    EXPECT_EQ(testing::EachVariable(model, &Variable::period), (PerVariable<double>{2 * PiValue(), 3, 0, 2 * PiValue()}));
    using enum Kind;
    EXPECT_EQ(testing::EachVariable(model, &Variable::kind), (PerVariable<Kind>{Polynomial, Trigonometric, Polynomial, Polynomial}));
    EXPECT_EQ(testing::EachVariable(model, &Variable::isEquallySpaced), (PerVariable<bool>{true, false, true, false}));
    EXPECT_EQ(model.Var(0).values, (std::vector<double>{1.0, 1.5, 2.0}));
    // Not spaced, but never entered value by value: it stands for the spaced values.
    EXPECT_EQ(model.Var(1).values, (std::vector<double>{-10.0, -6.5, -3.0, 0.5, 4.0}));
    EXPECT_EQ(model.Var(2).values, (std::vector<double>{6.0, 1.0, -4.0}));
    // An explicit list outside the spaced box is kept.
    EXPECT_EQ(model.Var(3).values, (std::vector<double>{0.0, 7.0, 0.0}));
    // The coefficients stay, but belong to the specs read before.
    EXPECT_EQ(model.ResultsState(), Results::OutOfDate);
    EXPECT_EQ(model.coef(1, 0, 0, 0), 42.0);
    // Reading the same panels again changes nothing they depend on.
    model.SetComputed();
    ASSERT_TRUE(ReadSpecs(model, panels));
    EXPECT_TRUE(model.IsComputed());
}

TEST(ReadSpecs, RefusesWhatNoReaderCouldUseAndChangesNothing)
{
    // Only possible when a command reads a count box that was never left.
    struct Case { const char* count; bool explicitList; const char* refusal; };
    for (const Case& c : {Case{"1", false, "fewer than 2 values"}, Case{"11", false, "has not been confirmed"},
                          Case{"3", true, "holds fewer values"}}) {
        ProblemModel model = WithVariables(2);
        model.Var(1).valuesExplicit = c.explicitList;
        Panels panels;
        panels[0] = {.lowerLimit = "7"};
        panels[1] = {.valueCount = c.count, .spacedChecked = false};
        const SpecsRead read = ReadSpecs(model, panels);
        EXPECT_FALSE(read) << c.count;
        EXPECT_NE(read.refusal.find(c.refusal), std::string::npos) << read.refusal;
        EXPECT_NE(read.refusal.find("variable 2"), std::string::npos) << read.refusal;
        EXPECT_EQ(model.Var(0).lowerLimit, 0.0);
        EXPECT_EQ(model.Var(1).valueUpper, 0);
    }
}

TEST(SetDisplayedSpecs, ShowsTheModelInTextsThatReadBackToIt)
{
    ProblemModel model = WithVariables(2);
    testing::SetNames(model, {"x", " t"});
    testing::SetEachVariable(model, &Variable::lowerLimit, {-0.5, 0.1 + 0.2, 0, 0});
    testing::SetEachVariable(model, &Variable::upperLimit, {1e20, 3, 0, 0});
    testing::SetEachVariable(model, &Variable::valueUpper, {4, 1, 0, 0});
    model.Var(1).kind = Kind::Trigonometric;
    testing::SetEachVariable(model, &Variable::isEquallySpaced, {false, true, false, false});
    const ShownSpecs shown = SetDisplayedSpecs(model);
    EXPECT_EQ(shown.variableCount, "2");
    EXPECT_EQ(shown.variableNames, "x, t");
    ASSERT_EQ(shown.panels.size(), 2u);
    EXPECT_EQ(shown.panels[1].name, " t");
    EXPECT_EQ(shown.panels[0].upperLimit, "1E+20");
    EXPECT_EQ(shown.panels[1].lowerLimit, "0.3"); // 15 significant digits
    EXPECT_EQ(shown.panels[0].valueCount, "5");

    ProblemModel reread = WithVariables(2);
    Panels panels;
    for (std::size_t k = 0; k < 2; ++k) {
        const ShownPanel& p = shown.panels[k];
        panels[k] = {p.lowerLimit, p.upperLimit, "*", "*", p.valueCount, p.powerChecked, p.spacedChecked};
    }
    ASSERT_TRUE(ReadSpecs(reread, panels));
    EXPECT_EQ(testing::EachVariable(reread, &Variable::lowerLimit), (PerVariable<double>{-0.5, 0.3, 0, 0}));
    EXPECT_EQ(testing::EachVariable(reread, &Variable::upperLimit), testing::EachVariable(model, &Variable::upperLimit));
    EXPECT_EQ(testing::EachVariable(reread, &Variable::valueUpper), testing::EachVariable(model, &Variable::valueUpper));
    EXPECT_EQ(testing::EachVariable(reread, &Variable::kind), testing::EachVariable(model, &Variable::kind));
    EXPECT_EQ(testing::EachVariable(reread, &Variable::isEquallySpaced), testing::EachVariable(model, &Variable::isEquallySpaced));
}

} // namespace
} // namespace tavex
