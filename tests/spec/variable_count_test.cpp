#include "spec/variable_count.h"

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
    model.lastVar = 2; // a refusal must leave this alone
    model.varName = {"kept"};
    const CountCase c = GetParam();
    const bool accepted = ConfirmVariableCount(model, c.text);
    if (c.lastVar < 0) {
        EXPECT_FALSE(accepted);
        EXPECT_EQ(model.lastVar, 2);
        EXPECT_EQ(model.varName.size(), 1u);
    } else {
        EXPECT_TRUE(accepted);
        EXPECT_EQ(model.lastVar, c.lastVar);
    }
}

INSTANTIATE_TEST_SUITE_P(Counts, VariableCountTest, testing::Values(
    CountCase{"0", -1}, CountCase{"-1", -1}, CountCase{"abc", -1}, CountCase{"5", -1},
    CountCase{"4.5", -1}, CountCase{"", -1}, CountCase{"1e400", -1},
    CountCase{"4", 3}, CountCase{"1", 0}, CountCase{"3 variables", 2},
    // Ties go to the even lastVar: 2.5 - 1 = 1.5 gives 2, 3.5 - 1 = 2.5 gives 2.
    CountCase{"2.5", 2}, CountCase{"3.5", 2}, CountCase{"1.4", 0}, CountCase{"3.9", 3}, CountCase{"4.4", -1},
    // Below 0.5 the count would round to no variable: refused like 0.
    CountCase{"0.1", -1}, CountCase{"0.49", -1}, CountCase{"0.5", 0}));

TEST(VariableCount, AcceptedCountGivesFourFreshSlots)
{
    ProblemModel model;
    model.lowerLimit = {1, 2, 3, 4};
    model.varName = {"old"};
    ASSERT_TRUE(ConfirmVariableCount(model, "2"));
    EXPECT_EQ(model.varName, std::vector<std::string>(4));
    for (int k = 0; k < kMaxVariables; ++k) {
        EXPECT_EQ(model.lowerLimit[static_cast<std::size_t>(k)], 0.0);
        EXPECT_FALSE(model.isPolynomial[static_cast<std::size_t>(k)]);
    }
}

} // namespace
} // namespace tavex
