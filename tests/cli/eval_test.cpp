// tavex-cli eval: coordinates no double holds, and formulas over variables
// whose names the script language cannot assign.
#include "cli_fixture.h"

#include <gtest/gtest.h>

#include <string>

namespace tavex {
namespace {

// kProblem with its variable renamed: f = 5 + 2x on x in {0, 1, 2}, computed.
class EvalTest : public CliTest {
protected:
    void ComputeWithName(const std::string& name)
    {
        std::string problem = kProblem;
        problem.replace(problem.find("\"x\""), 3, "\"" + name + "\"");
        WritePair(problem, kData);
        ASSERT_EQ(Cli("compute p").status, 0);
    }
};

TEST_F(EvalTest, ACoordinateBeyondTheRangeOfANumberIsNamedAndEndsTheRun)
{
    ComputeWithName("x");
    const CliRun given = Cli("eval p 1e999");
    EXPECT_EQ(given.status, 2);
    EXPECT_EQ(given.out, "");
    EXPECT_EQ(given.err, "tavex-cli: x: 1e999 is beyond the range of a number\n");
    // From standard input: the values before it first; one too small for a double is 0.
    const CliRun read = Cli("eval p --function x", "1\n1e-999\n-2e400abc\n2\n");
    EXPECT_EQ(read.status, 2);
    EXPECT_EQ(read.out, "7 1 6\n5 0 5\n");
    ExpectOneErrorLineNaming(read, "standard input, line 3: x: -2e400abc is beyond the range of a number");
}

TEST_F(EvalTest, TheFormulaFailsOnlyWhenItReadsAVariableItCouldNotBeGiven)
{
    struct Case {
        const char* name;
        const char* arguments;
        int status;
        std::string out, err;
    };
    const Case cases[] = {
        // Names no statement assigns: the formula goes on without them.
        {"2x", "--function 7 1", 0, "7 7 0\n", ""},
        {"x y", "--function 'Sqr(4)' 1", 0, "7 2 5\n", ""},
        {"x:y", "--function 'y' 1", 2, "", "tavex-cli: the point 1: Variable is undefined 'y' at column 1: y\n"},
        {" x ", "--function 'x + 1' 1", 0, "7 2 5\n", ""}, // blanks around a name are the statement's
        // A name of the language's own that takes no value: only a formula reading it fails.
        {"Sin", "--function 'Sin(0.5)*0' 1", 0, "7 0 7\n", ""},
        {"Sin", "--function 'sin + 1' 1", 2, "",
         "tavex-cli: the point 1: Sin cannot be given its coordinate: Illegal assignment\n"},
        // A formula of blanks only is none.
        {"x", "--function '  ' 1", 0, "7\n", ""},
    };
    for (const Case& c : cases) {
        ComputeWithName(c.name);
        const CliRun run = Cli(std::string("eval p ") + c.arguments);
        EXPECT_EQ(run.status, c.status) << c.name << " " << c.arguments;
        EXPECT_EQ(run.out, c.out) << c.name << " " << c.arguments;
        EXPECT_EQ(run.err, c.err) << c.name << " " << c.arguments;
    }
}

} // namespace
} // namespace tavex
