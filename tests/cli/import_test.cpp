// Importing tables from the shell: the pair written is one compute takes, and
// a refusal writes nothing.
#include "cli_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace tavex {
namespace {

// x in {0, 1, 2}, y in {0, 1, 2, 3} as a spreadsheet block: f = 10 (x + 1) + y.
const std::string kBlock = "x\\y,0,1,2,3\r\n0,10,11,12,13\r\n2,30,31,32,33\r\n1,20,21,22,23\r\n";

TEST_F(CliTest, ImportWritesAPairThatComputeTakes)
{
    WriteBytes(dir_.File("t.csv"), kBlock);
    const CliRun run = Cli("import t.csv p --trig y --period y=4 --center x=1");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
    const std::string problem = ReadBytes(dir_.File("p"));
    EXPECT_TRUE(problem.starts_with(
        " 1 \r\n\"x\",0,2,1,#TRUE#,6.28318530717959,2\r\n\"y\",0,3,1.5,#FALSE#,4,3\r\n#FALSE#\r\n"))
        << problem;

    ASSERT_EQ(Cli("compute p").status, 0);
    // The expansion takes the tabulated values at their points (to the 15 digits printed).
    EXPECT_EQ(Cli("eval p", "0 0\n2 1\n1 3\n").out, "10\n31\n23\n");
}

TEST_F(CliTest, ARefusedImportWritesNothing)
{
    WriteBytes(dir_.File("t.csv"), "x,y,f\n0,0,1\n0,1,2\n1,0,3\n1,0,4\n");
    const struct {
        const char* arguments;
        const char* error;
    } cases[] = {
        {"import t.csv p", "t.csv, line 5: a point is given again: (x=1, y=0)"},
        {"import t.csv p --trig q", "t.csv: the table has no variable named \"q\""},
        {"import t.csv p --center x", "import: --center expects NAME=VALUE"},
        {"import t.csv", "import: expects a TABLEFILE and a PROBLEM file"},
        {"import missing.csv p", "missing.csv: cannot read"},
    };
    for (const auto& c : cases) {
        const CliRun run = Cli(c.arguments);
        EXPECT_EQ(run.status, 2) << c.arguments;
        EXPECT_EQ(run.out, "");
        ExpectOneErrorLineNaming(run, c.error);
        EXPECT_FALSE(std::filesystem::exists(dir_.File("p")));
        EXPECT_FALSE(std::filesystem::exists(dir_.File("p.dat")));
    }
    // Nor does it touch a pair already there.
    WritePair("old", "old data");
    EXPECT_EQ(Cli("import t.csv p").status, 2);
    ExpectPairUnchanged("old", "old data");
}

} // namespace
} // namespace tavex
