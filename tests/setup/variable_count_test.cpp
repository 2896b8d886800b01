#include "setup/variable_count.h"

#include <gtest/gtest.h>

namespace tavex {
namespace {

struct CountCase {
    const char* text;
    int lastVar; // -1: refused
};

class VariableCountTest : public testing::TestWithParam<CountCase> {};

TEST_P(VariableCountTest, ConfirmsOneToFourVariables)
{
    ProblemModel model;
    model.funTable(0, 0, 0, 0) = 1.0; // a refusal must leave the model alone
    const CountCase c = GetParam();
    const CountConfirmation confirmed = ConfirmVariableCount(model, c.text, "2");
    if (c.lastVar < 0) {
        EXPECT_EQ(LastVarOfCount(c.text), std::nullopt);
        EXPECT_EQ(confirmed, CountConfirmation::NotACount);
        EXPECT_EQ(model.lastVar, 0);
        EXPECT_EQ(model.funTable(0, 0, 0, 0), 1.0);
    } else {
        EXPECT_EQ(LastVarOfCount(c.text), c.lastVar);
        EXPECT_EQ(confirmed, CountConfirmation::Confirmed);
        EXPECT_EQ(model.lastVar, c.lastVar);
    }
}

INSTANTIATE_TEST_SUITE_P(Counts, VariableCountTest, testing::Values(
    CountCase{"0", -1}, CountCase{"-1", -1}, CountCase{"abc", -1}, CountCase{"5", -1},
    CountCase{"4.5", -1}, CountCase{"", -1}, CountCase{"1e400", -1}, CountCase{"nan", -1},
    CountCase{"4", 3}, CountCase{"1", 0}, CountCase{"3 variables", 2},
    // Ties go to the even lastVar: 2.5 - 1 = 1.5 gives 2, 3.5 - 1 = 2.5 gives 2.
    CountCase{"2.5", 2}, CountCase{"3.5", 2}, CountCase{"1.4", 0}, CountCase{"3.9", 3}, CountCase{"4.4", -1},
    // Below 0.5 the count would round to no variable: refused like 0.
    CountCase{"0.1", -1}, CountCase{"0.49", -1}, CountCase{"0.5", 0}));

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

    ProblemModel negative;
    ASSERT_EQ(ConfirmVariableCount(negative, "3", "-4"), CountConfirmation::Confirmed);
    EXPECT_EQ(negative.funTable.extents(), (Table4::Extents{1, 1, 1, 1}));
}

TEST(VariableCount, TablesBeyondTheirShareOfMemoryRefuseTheCount)
{
    ProblemModel model;
    EXPECT_EQ(ConfirmVariableCount(model, "4", "1e6"), CountConfirmation::TablesTooLarge);
    EXPECT_EQ(model.lastVar, 0);
    EXPECT_EQ(model.funTable.size(), 1u);
}

} // namespace
} // namespace tavex
