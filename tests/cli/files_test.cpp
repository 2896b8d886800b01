// tavex-cli on the file picked: the data file of a pair stands for the pair,
// and a file that is no problem is named as given.
#include "cli_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace tavex {
namespace {

// The problem file of kProblem once computed.
const std::string kComputed = " 0 \r\n\"x\",0,2,1,#TRUE#,6.28318530717959,2\r\n#TRUE#\r\n 7 \r\n 2 \r\n 0 \r\n";

TEST_F(CliTest, TheDataFileNamedWorksOnItsPairAndSavesUnderTheProblemsName)
{
    WritePair(kProblem, kData);
    const CliRun computed = Cli("compute p.dat");
    EXPECT_EQ(computed.status, 0) << computed.err;
    ExpectPairUnchanged(kComputed, kData);
    EXPECT_FALSE(std::filesystem::exists(dir_.File("p.dat.dat")));

    EXPECT_EQ(Cli("eval p.dat 1.5").out, "8\n");
    EXPECT_EQ(Cli("list p.dat").out, Cli("list p").out);
    // The pair's files stay out of reach of an export, by whichever name it was opened.
    const CliRun export_ = Cli("export p.dat --format csv -o p");
    EXPECT_EQ(export_.status, 2);
    ExpectOneErrorLineNaming(export_, "p: cannot export: it is a file of the problem p");
    ExpectPairUnchanged(kComputed, kData);
}

TEST_F(CliTest, AFileThatIsNoProblemIsNamedAsGiven)
{
    WriteBytes(dir_.File("notes.txt"), "Shopping: eggs\n");
    WriteBytes(dir_.File("notes.dat"), "Shopping: eggs\n");
    for (const char* picked : {"notes.txt", "notes.dat"})
        for (const char* command : {"compute ", "report ", "eval "}) {
            const CliRun run = Cli(command + std::string(picked));
            EXPECT_EQ(run.status, 2) << command << picked;
            EXPECT_EQ(run.err, "tavex-cli: " + std::string(picked)
                                   + " is not a Tavex problem: line 1: the number of variables is not a number: "
                                     "\"Shopping:\"\n");
        }
    EXPECT_FALSE(std::filesystem::exists(dir_.File("notes.txt.dat")));
    // A problem file without its data file is a damaged pair, and said to be one.
    WriteBytes(dir_.File("p"), kProblem);
    ExpectOneErrorLineNaming(Cli("report p"), "p.dat: cannot read: No such file or directory");
}

} // namespace
} // namespace tavex
