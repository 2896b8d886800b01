#include "setup/panel_navigation.h"
#include "setup/results.h"

#include "model/problem_model.h"

#include <gtest/gtest.h>

namespace tavex {
namespace {

TEST(PanelNavigation, WrapsAroundBothWays)
{
    EXPECT_EQ(NextVarNo(1, 2), 2);
    EXPECT_EQ(NextVarNo(3, 2), 1);
    EXPECT_EQ(PreviousVarNo(1, 2), 3);
    EXPECT_EQ(PreviousVarNo(3, 2), 2);
    // One variable: both stay on it.
    EXPECT_EQ(NextVarNo(1, 0), 1);
    EXPECT_EQ(PreviousVarNo(1, 0), 1);
}

TEST(ClearResults, DoesNothingWhileAFileIsOpened)
{
    ProblemModel model;
    Session session;
    model.isComputed = true;
    session.isOpening = true;
    EXPECT_FALSE(ClearResults(model, session));
    EXPECT_TRUE(model.isComputed);

    session.isOpening = false;
    EXPECT_TRUE(ClearResults(model, session));
    EXPECT_FALSE(model.isComputed);
}

} // namespace
} // namespace tavex
