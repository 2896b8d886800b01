// The checks of the entries: the variable count, the names, the limits and
// the value counts, and what leaving the count boxes does to the tables.
#include "setup/field_checks.h"
#include "setup/value_count.h"
#include "setup/variable_count.h"
#include "setup/variable_names.h"

#include <gtest/gtest.h>

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
        ProblemModel model;
        model.lastVar = 1;
        model.valueUpper = {1, 1, 0, 0};
        model.ShapeTablesFromValueCounts();
        model.ResizeVarX(0);
        model.ResizeVarX(1);
        model.funTable(1, 1, 0, 0) = 5.0;
        const PerVariable<std::string> counts{c.first, c.second, "2", "2"};
        EXPECT_EQ(CheckValueCount(model, c.k, counts, 1, NumberFormat{}), c.change) << c.first << ", " << c.second;
        EXPECT_EQ(model.funTable(1, 1, 0, 0), 5.0);
        EXPECT_EQ(model.valueUpper[0], 1);
        EXPECT_EQ(LeaveValueCount(model, c.k, counts, 1), c.change) << c.first << ", " << c.second;
        EXPECT_EQ(model.valueUpper, c.upper);
        EXPECT_EQ(model.funTable.extents(), (Table4::Extents{c.upper[0] + 1, c.upper[1] + 1, 1, 1}));
        EXPECT_EQ(model.coef.extents(), model.funTable.extents());
        EXPECT_EQ(model.funTable(1, 1, 0, 0), c.change == CountChange::TablesEmptied ? 0.0 : 5.0);
        // The lists are as long as the counts at once; ReadSpecs writes their values.
        EXPECT_EQ(model.VarX(1).size(), c.upper[1] + 1u);
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
    model.lowerLimit = {1, 2, 3, 4};
    // The panels are copies of the first; its count box gives every dimension
    // in use the upper index n (3.5 rounds to the even 4).
    ASSERT_EQ(ConfirmVariableCount(model, "2", "3.5"), CountConfirmation::Confirmed);
    EXPECT_EQ(model.funTable.extents(), (Table4::Extents{5, 5, 1, 1}));
    EXPECT_EQ(model.coef.extents(), model.funTable.extents());
    EXPECT_EQ(model.lowerLimit, (PerVariable<double>{}));
    ASSERT_EQ(ConfirmVariableCount(model, "3", "-4"), CountConfirmation::Confirmed);
    EXPECT_EQ(model.funTable.extents(), (Table4::Extents{1, 1, 1, 1}));
    // Tables beyond their share of memory refuse the count.
    EXPECT_EQ(CheckVariableCount("4", "1e6"), CountConfirmation::TablesTooLarge);
    EXPECT_EQ(ConfirmVariableCount(model, "4", "1e6"), CountConfirmation::TablesTooLarge);
    EXPECT_EQ(model.lastVar, 2);
    EXPECT_EQ(model.funTable.size(), 1u);
}

using Names = std::vector<std::string>;

TEST(VariableNames, AcceptsExactlyOneNonEmptyNamePerVariableAndKeepsThePieces)
{
    struct Case { int variables; const char* text; bool accepted; Names names; int shown; };
    const Case cases[] = {
        {2, "x,y", true, {"x", "y"}, 2}, {1, "x", true, {"x"}, 1},
        {2, "x, y", true, {"x", " y"}, 2},  // blanks around a name are part of it
        {3, "a,b", false, {"a", "b", ""}, 2}, // every variable keeps a name slot
        {2, "x,y,z", false, {"x", "y", "z"}, 2}, {2, "x,,y", false, {"x", "", "y"}, 1},
        {2, "x,", false, {"x", ""}, 1}, {2, ",y", false, {"", "y"}, 0}, {2, "", false, {"", ""}, 0},
    };
    for (const Case& c : cases) {
        ProblemModel model;
        model.lastVar = c.variables - 1;
        const NamesCheck check = AcceptVariableNames(model, c.text);
        EXPECT_EQ(check.accepted, c.accepted) << c.text;
        EXPECT_EQ(model.varName, c.names) << c.text;
        EXPECT_EQ(check.namesShown, c.shown) << c.text;
        EXPECT_TRUE(check.message.empty()) << c.text;
    }
}

TEST(VariableNames, NameTheFileCannotKeepIsRefusedWithAMessage)
{
    // The problem file quotes names without an escape: such a name could
    // never be saved, and the names box locks once the names are accepted.
    ProblemModel model;
    model.lastVar = 1;
    const NamesCheck check = AcceptVariableNames(model, "x,say \"y\"");
    EXPECT_FALSE(check.accepted);
    EXPECT_EQ(check.namesShown, 2);
    EXPECT_NE(check.message.find("variable 2"), std::string::npos) << check.message;
    EXPECT_NE(check.message.find("double quote"), std::string::npos) << check.message;
    EXPECT_TRUE(AcceptVariableNames(model, "u,v").accepted);
    EXPECT_EQ(model.varName, (Names{"u", "v"}));
}

} // namespace
} // namespace tavex
