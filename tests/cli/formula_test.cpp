// tavex-cli eval --function: a formula's error says what and where in the formula.
#include "cli_fixture.h"

#include <gtest/gtest.h>

#include <string>

namespace tavex {
namespace {

TEST_F(CliTest, AFormulasErrorPointsIntoTheFormula)
{
    WritePair(kProblem, kData);
    ASSERT_EQ(Cli("compute p").status, 0);
    struct Case { const char* formula; const char* error; };
    const Case cases[] = {
        {"Sin(x*(y", "Expected ')' at column 9: Sin(x*(y"},
        {"Sinn(x)", "Unknown name 'Sinn' at column 1: Sinn(x)"},
        {"x + zz", "Variable is undefined 'zz' at column 5: x + zz"},
        {"1 2", "Expected end of statement at column 3: 1 2"},
        {"x $ 2", "Invalid character at column 3: x $ 2"},
    };
    for (const Case& c : cases) {
        const CliRun run = Cli(std::string("eval p 1 --function '") + c.formula + "'");
        EXPECT_EQ(run.status, 2) << c.formula;
        EXPECT_EQ(run.err, std::string("tavex-cli: the point 1: ") + c.error + "\n");
    }
    // A failure at some points only: those before it printed, the point named.
    const CliRun run = Cli("eval p --function '2/(x-1)'", "0\n1\n");
    EXPECT_EQ(run.out, "5 -2 7\n");
    EXPECT_EQ(run.err, "tavex-cli: standard input, line 2, the point 1: Division by zero at column 2: 2/(x-1)\n");
}

} // namespace
} // namespace tavex
