// tavex-cli eval --derivative and tavex-cli integrate on f = 7 + 2(x - 1) over x in [0, 2].
#include "cli_fixture.h"

#include <gtest/gtest.h>

namespace tavex {
namespace {

class CalculusCliTest : public CliTest {
protected:
    void SetUp() override
    {
        WritePair(kProblem, kData);
        ASSERT_EQ(Cli("compute p").status, 0);
    }
};

TEST_F(CalculusCliTest, IntegralAndMeanOverTheIntervalOrOtherBoundsAndADerivativeAgainstAFormula)
{
    const struct {
        const char* arguments;
        const char* out;
    } cases[] = {
        {"integrate p", "14\n"},
        {"integrate p --mean", "7\n"},
        {"integrate p --over x=0:1", "6\n"},
        {"integrate --mean p --over x=-1:3", "7\n"},
    };
    for (const auto& c : cases) {
        const CliRun run = Cli(c.arguments);
        EXPECT_EQ(run.status, 0) << c.arguments << ": " << run.err;
        EXPECT_EQ(run.out, c.out) << c.arguments;
    }
    // eval --derivative's values are checked to the bit with the code export; here
    // the comparison with a formula of the derivative: value, formula, difference.
    EXPECT_EQ(Cli("eval p --derivative x=1 --function 2 0.5").out, "2 2 0\n");
}

TEST_F(CalculusCliTest, AWrongNameOrderOrBoundIsOneLineAndStatus2)
{
    const struct {
        const char* arguments;
        const char* says;
    } cases[] = {
        {"eval p --derivative y=1 0", "'y' is not a variable of the problem (x)"},
        {"eval p --derivative x=-1 0", "the order of x must be a whole number from 0 to 9, not '-1'"},
        {"eval p --derivative x=10 0", "not '10'"},
        {"eval p --derivative x=1,x=2 0", "x is given twice"},
        {"eval p --derivative x 0", "'x' is not NAME=ORDER"},
        {"integrate p --over y=0:1", "'y' is not a variable of the problem (x)"},
        {"integrate p --over x=a:1", "x: 'a' is not a number"},
        {"integrate p --over x=0", "'x=0' is not NAME=A:B"},
        {"integrate p q", "expects one PROBLEM file"},
    };
    for (const auto& c : cases) {
        const CliRun run = Cli(c.arguments);
        EXPECT_EQ(run.status, 2) << c.arguments;
        EXPECT_EQ(run.out, "") << c.arguments;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << c.arguments << ": " << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

} // namespace
} // namespace tavex
