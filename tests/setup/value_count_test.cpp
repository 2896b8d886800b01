#include "setup/value_count.h"

#include "setup_test_support.h"

#include <gtest/gtest.h>

#include <limits>

namespace tavex {
namespace {

using setup_test::WithVariables;

TEST(ValueCount, UpperIndexRoundsHalfToEven)
{
    EXPECT_EQ(ValueUpperFromText("2"), 1);
    EXPECT_EQ(ValueUpperFromText("2.5"), 2); // 1.5 goes to 2
    EXPECT_EQ(ValueUpperFromText("3.5"), 2); // 2.5 goes to 2
    EXPECT_EQ(ValueUpperFromText("abc"), -1);
    EXPECT_EQ(ValueUpperFromText("1e300"), std::numeric_limits<int>::max());
}

class LeaveValueCountTest : public testing::Test {
protected:
    void SetUp() override
    {
        model = WithVariables(2);
        model.valueUpper = {1, 1, 0, 0};
        model.ShapeTables({1, 1, 0, 0});
        model.funTable(1, 1, 0, 0) = 5.0;
    }

    ProblemModel model;
    PerVariable<std::string> counts{"2", "2", "2", "2"};
};

TEST_F(LeaveValueCountTest, CheckBeforeLeavingChangesNothing)
{
    struct Case {
        const char* count;
        CountChange expected;
    };
    for (const Case& c : {Case{"abc", CountChange::NotACount}, Case{"1", CountChange::NotACount},
                          Case{"2.4", CountChange::Unchanged}, Case{"3", CountChange::TablesEmptied},
                          // Both tables within half of any machine's memory: no run waits
                          // minutes while terabytes are asked for and zeroed.
                          Case{"1e12", CountChange::TablesTooLarge},
                          Case{"2147483648", CountChange::TablesTooLarge}}) {
        counts[0] = c.count;
        EXPECT_EQ(CheckValueCount(model, 0, counts, 1, NumberFormat{}), c.expected) << c.count;
        EXPECT_EQ(model.funTable(1, 1, 0, 0), 5.0);
        EXPECT_EQ(model.valueUpper[0], 1);
    }
}

TEST_F(LeaveValueCountTest, SameCountKeepsTheFunctionValues)
{
    counts[0] = "2.4"; // still two values
    EXPECT_EQ(LeaveValueCount(model, 0, counts, 1), CountChange::Unchanged);
    EXPECT_EQ(model.funTable(1, 1, 0, 0), 5.0);
}

TEST_F(LeaveValueCountTest, ChangedCountEmptiesBothTables)
{
    counts[1] = "3";
    EXPECT_EQ(LeaveValueCount(model, 1, counts, 1), CountChange::TablesEmptied);
    EXPECT_EQ(model.valueUpper[1], 2);
    EXPECT_EQ(model.funTable.extents(), (Table4::Extents{2, 3, 1, 1}));
    EXPECT_EQ(model.coef.extents(), model.funTable.extents());
    EXPECT_EQ(model.funTable(1, 1, 0, 0), 0.0);

    // Back to 2: a change again, the values stay lost.
    model.funTable(1, 1, 0, 0) = 5.0;
    counts[1] = "2";
    EXPECT_EQ(LeaveValueCount(model, 1, counts, 2), CountChange::TablesEmptied);
    EXPECT_EQ(model.funTable(1, 1, 0, 0), 0.0);
}

TEST_F(LeaveValueCountTest, TablesFollowBoxesThatWereNeverVisited)
{
    // Straight after the panels are created valueUpper is 0 everywhere; the
    // second variable's box says 4 values.
    model.valueUpper = {0, 0, 0, 0};
    counts = {"3", "4", "2", "2"};
    EXPECT_EQ(LeaveValueCount(model, 0, counts, 1), CountChange::TablesEmptied);
    EXPECT_EQ(model.valueUpper, (PerVariable<int>{2, 3, 0, 0}));
    EXPECT_EQ(model.funTable.extents(), (Table4::Extents{3, 4, 1, 1}));
    // The lists are as long as the counts at once; ReadSpecs writes their values.
    EXPECT_EQ(model.VarX(0).size(), 3u);
    EXPECT_EQ(model.VarX(1).size(), 4u);
}

TEST_F(LeaveValueCountTest, TablesTooLargeChangeNothing)
{
    counts = {"2147483648", "2147483648", "2", "2"};
    EXPECT_EQ(LeaveValueCount(model, 0, counts, 1), CountChange::TablesTooLarge);
    EXPECT_EQ(model.valueUpper[0], 1);
    EXPECT_EQ(model.funTable(1, 1, 0, 0), 5.0);
}

TEST_F(LeaveValueCountTest, CountBelowTwoChangesNothing)
{
    counts[0] = "1";
    EXPECT_EQ(LeaveValueCount(model, 0, counts, 1), CountChange::NotACount);
    EXPECT_EQ(model.valueUpper[0], 1);
    EXPECT_EQ(model.funTable(1, 1, 0, 0), 5.0);
}

} // namespace
} // namespace tavex
