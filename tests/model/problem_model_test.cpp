#include "model/model_invariants.h"
#include "model/problem_model.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tavex {
namespace {

TEST(ProblemModel, ShapingZeroesBothTablesOrLeavesThemAsTheyWere)
{
    ProblemModel model;
    model.ShapeTables({2, 1, 0, 0});
    model.funTable(2, 1, 0, 0) = 4.0;
    model.ShapeTables({3, 1, 0, 0});
    EXPECT_EQ(model.funTable.extents(), (Table4::Extents{4, 2, 1, 1}));
    EXPECT_EQ(model.coef.extents(), model.funTable.extents());
    for (std::size_t e = 0; e < model.funTable.size(); ++e)
        EXPECT_EQ(model.funTable.data()[e], 0.0);

    model.funTable(1, 0, 0, 0) = 3.0;
    // Beyond the address range, and within it but beyond half of the machine:
    // refused before any memory is asked for.
    EXPECT_THROW(model.ShapeTables({2000000000, 2000000000, 2000000000, 0}), std::length_error);
    EXPECT_THROW(model.ShapeTables({2000000000, 15, 0, 0}), std::length_error);
    EXPECT_FALSE(model.TryShapeTables({2000000000, 15, 0, 0}));
    EXPECT_EQ(model.funTable.extents(), (Table4::Extents{4, 2, 1, 1}));
    EXPECT_EQ(model.funTable(1, 0, 0, 0), 3.0);
}

TEST(Table4, FirstIndexVariesFastest)
{
    Table4 t;
    t.Reshape({1, 2, 1, 1});
    t(1, 0, 0, 0) = 1;
    t(0, 1, 0, 0) = 2;
    t(0, 0, 1, 0) = 3;
    t(0, 0, 0, 1) = 4;
    EXPECT_EQ(t.data()[1], 1);
    EXPECT_EQ(t.data()[2], 2);
    EXPECT_EQ(t.data()[6], 3);
    EXPECT_EQ(t.data()[12], 4);
}

TEST(ValueLists, ResizeKeepsValuesAndOtherVariablesReadZero)
{
    ProblemModel model;
    model.valueUpper[1] = 2;
    model.ResizeVarX(1);
    model.SetVarX(1, 2, 7.0);
    model.valueUpper[1] = 4;
    model.ResizeVarX(1);
    EXPECT_EQ(model.VarX(1), (std::vector<double>{0, 0, 7, 0, 0}));
    model.SetVarX(4, 0, 9.0);
    EXPECT_EQ(model.GetVarX(4, 0), 0.0);
    EXPECT_EQ(model.GetVarX(-1, 0), 0.0);
}

TEST(ValueLists, EquallySpacedRunsFromLowerToUpperLimit)
{
    ProblemModel model;
    model.lastVar = 1;
    model.lowerLimit = {1.0, -1.0, 0, 0};
    model.valueUpper = {2, 10, 0, 0};
    model.valueStep = {0.5, 0.2, 0, 0};
    model.ResizeVarX(1);
    model.SetVarX(1, 3, 99.0);
    // Only the checked variable is regenerated.
    model.RegenerateSpacedValues({true, false, false, false});
    EXPECT_EQ(model.VarX(0), (std::vector<double>{1.0, 1.5, 2.0}));
    EXPECT_EQ(model.GetVarX(1, 3), 99.0);
    model.RegenerateSpacedValues({true, true, false, false});
    // i * step + lower, product first: 3 * 0.2 + -1 is not -0.4 exactly.
    EXPECT_EQ(model.GetVarX(1, 3), 3.0 * 0.2 + -1.0);
}

TEST(BrokenInvariant, NamesWhatNoCommandMayLeave)
{
    ProblemModel model;
    EXPECT_EQ(BrokenInvariant(model), "");
    model.lastVar = 1;
    model.valueUpper = {1, 2, 0, 0};
    EXPECT_NE(BrokenInvariant(model).find("tables hold fewer"), std::string::npos);
    model.ShapeTables({1, 2, 0, 0});
    EXPECT_NE(BrokenInvariant(model).find("value list is shorter"), std::string::npos);
    model.ResizeVarX(0);
    model.ResizeVarX(1);
    EXPECT_EQ(BrokenInvariant(model), "");
    model.coef = Table4();
    EXPECT_NE(BrokenInvariant(model).find("differ in shape"), std::string::npos);
}

} // namespace
} // namespace tavex
