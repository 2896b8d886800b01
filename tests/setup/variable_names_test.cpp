#include "setup/variable_names.h"

#include "setup_test_support.h"

#include <gtest/gtest.h>

namespace tavex {
namespace {

using setup_test::WithVariables;

using Names = std::vector<std::string>;

TEST(VariableNames, AcceptsExactlyOneNamePerVariable)
{
    ProblemModel model = WithVariables(2);
    NamesCheck check = AcceptVariableNames(model, "x,y");
    EXPECT_TRUE(check.accepted);
    EXPECT_EQ(check.namesShown, 2);
    EXPECT_EQ(model.varName, (Names{"x", "y"}));

    model = WithVariables(1);
    check = AcceptVariableNames(model, "x");
    EXPECT_TRUE(check.accepted);
    EXPECT_EQ(check.namesShown, 1);
    EXPECT_EQ(model.varName, (Names{"x"}));
}

TEST(VariableNames, KeepsBlanksAroundNames)
{
    ProblemModel model = WithVariables(2);
    EXPECT_TRUE(AcceptVariableNames(model, "x, y").accepted);
    EXPECT_EQ(model.varName, (Names{"x", " y"}));
}

TEST(VariableNames, RefusesWrongCountOrEmptyNameButKeepsThePieces)
{
    struct Case {
        const char* text;
        Names pieces;
        int shown;
    };
    const Case cases[] = {
        {"x", {"x", ""}, 1}, // every variable keeps a name slot
        {"x,y,z", {"x", "y", "z"}, 2},
        {"x,,y", {"x", "", "y"}, 1},
        {"x,", {"x", ""}, 1},
        {",y", {"", "y"}, 0},
        {"", {"", ""}, 0},
    };
    for (const Case& c : cases) {
        ProblemModel model = WithVariables(2);
        const NamesCheck check = AcceptVariableNames(model, c.text);
        EXPECT_FALSE(check.accepted) << c.text;
        EXPECT_EQ(model.varName, c.pieces) << c.text;
        EXPECT_EQ(check.namesShown, c.shown) << c.text;
        EXPECT_TRUE(check.message.empty()) << c.text;
    }
}

TEST(VariableNames, NameTheFileCannotKeepIsRefusedWithAMessage)
{
    // The problem file quotes names without an escape: such a name could
    // never be saved, and the names box locks once the names are accepted.
    ProblemModel model = WithVariables(2);
    const NamesCheck check = AcceptVariableNames(model, "x,say \"y\"");
    EXPECT_FALSE(check.accepted);
    EXPECT_EQ(check.namesShown, 2);
    EXPECT_NE(check.message.find("variable 2"), std::string::npos) << check.message;
    EXPECT_NE(check.message.find("double quote"), std::string::npos) << check.message;
}

TEST(VariableNames, AcceptedTextOverwritesARefusedOne)
{
    ProblemModel model = WithVariables(3);
    EXPECT_FALSE(AcceptVariableNames(model, "a,b").accepted);
    EXPECT_TRUE(AcceptVariableNames(model, "u,v,w").accepted);
    EXPECT_EQ(model.varName, (Names{"u", "v", "w"}));
}

} // namespace
} // namespace tavex
