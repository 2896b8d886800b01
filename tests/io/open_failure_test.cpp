// Files that cannot be opened: each gives one message naming the file and
// the line, and the current problem stays exactly as it was.
#include "example_problems.h"
#include "io/problem_file_reader.h"
#include "io/problem_file_writer.h"
#include "io/problem_files.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

namespace tavex {
namespace {

constexpr char kGoodRecord[] = "\"x\",0,2,1,#TRUE#,*,2\r\n";
const std::string kGoodProblem = std::string(" 0 \r\n") + kGoodRecord + "#FALSE#\r\n";
const std::string kGoodData = testing::kExampleDataFile;

struct OpenFailureCase {
    const char* name;
    std::optional<std::string> problem; // nullopt: the file does not exist
    std::optional<std::string> data;
    std::string expected;               // the message, after the directory
};

std::string PrintCaseName(const ::testing::TestParamInfo<OpenFailureCase>& info) { return info.param.name; }

class OpenFailureTest : public ::testing::TestWithParam<OpenFailureCase> {};

TEST_P(OpenFailureTest, NamesFileAndLineAndChangesNothing)
{
    testing::TempDir dir;
    const OpenFailureCase& c = GetParam();
    if (c.problem)
        testing::WriteBytes(dir.File("p"), *c.problem);
    if (c.data)
        testing::WriteBytes(dir.File("p.dat"), *c.data);

    ProblemModel model = testing::MakeMixedModel({3, 2}, 11);
    const ProblemModel before = model;
    OpenedEntries entries;
    entries.centerText[0] = "kept";

    const FileOutcome outcome = OpenProblemFiles(model, dir.File("p"), entries);

    ASSERT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.message, dir.path() + "/" + c.expected);
    EXPECT_EQ(model.lastVar, before.lastVar);
    EXPECT_EQ(model.varName, before.varName);
    EXPECT_EQ(model.valueUpper, before.valueUpper);
    EXPECT_EQ(model.lowerLimit, before.lowerLimit);
    EXPECT_EQ(model.VarX(0), before.VarX(0));
    EXPECT_EQ(model.funTable, before.funTable);
    EXPECT_EQ(model.coef, before.coef);
    EXPECT_EQ(model.isComputed, before.isComputed);
    EXPECT_EQ(entries.centerText[0], "kept");
    // Reading never writes.
    if (c.problem) {
        EXPECT_EQ(testing::ReadBytes(dir.File("p")), *c.problem);
    }
    if (c.data) {
        EXPECT_EQ(testing::ReadBytes(dir.File("p.dat")), *c.data);
    }
}

const std::string kTwoVariableData = " 1 \r\n 2 \r\n#TRUE#\r\n 1 \r\n#TRUE#\r\n 0 \r\n 1 \r\n 2 \r\n 0 \r\n 1 \r\n";

INSTANTIATE_TEST_SUITE_P(Files, OpenFailureTest, ::testing::Values(
    OpenFailureCase{"MissingProblemFile", std::nullopt, kGoodData, "p: cannot read: No such file or directory"},
    OpenFailureCase{"MissingDataFile", kGoodProblem, std::nullopt, "p.dat: cannot read: No such file or directory"},
    OpenFailureCase{"EmptyProblemFile", "", kGoodData,
                    "p, line 1: the file ends early: the number of variables is missing"},
    OpenFailureCase{"EndsInsideARecord", " 0 \r\n\"x\",0,2", kGoodData,
                    "p, line 2: the file ends early: the center of variable 1 is missing"},
    OpenFailureCase{"EndsBeforeTheFlag", std::string(" 0 \r\n") + kGoodRecord, kGoodData,
                    "p, line 2: the file ends early: the flag of the coefficients is missing"},
    OpenFailureCase{"EndsInTheCoefficients", std::string(" 0 \r\n") + kGoodRecord + "#TRUE#\r\n 1 \r\n 2 \r\n",
                    kGoodData, "p, line 5: the file ends early: it holds 2 of the 3 coefficients"},
    OpenFailureCase{"NoVariables", "-1 \r\n", kGoodData, "p, line 1: a problem has 1 to 4 variables; the file gives 0"},
    OpenFailureCase{"EmptyFirstLine", "\r\n 4 \r\n", kGoodData,
                    "p, line 1: the number of variables is not a number: \"\""},
    OpenFailureCase{"MoreThanFourVariables", " 4 \r\n", kGoodData,
                    "p, line 1: a problem has 1 to 4 variables; the file gives 5"},
    OpenFailureCase{"CountNotANumber", "two\r\n", kGoodData,
                    "p, line 1: the number of variables is not a number: \"two\""},
    OpenFailureCase{"OneValue", " 0 \r\n\"x\",0,2,1,#TRUE#,*,0\r\n#FALSE#\r\n", kGoodData,
                    "p, line 2: variable 1 has fewer than 2 values; a variable needs at least 2"},
    OpenFailureCase{"ValueCountNotANumber", " 0 \r\n\"x\",0,2,1,#TRUE#,*,many\r\n#FALSE#\r\n", kGoodData,
                    "p, line 2: the value count of variable 1 is not a number: \"many\""},
    OpenFailureCase{"GridTooLarge", " 1 \r\n\"x\",0,2,1,#TRUE#,*,2\r\n\"y\",0,1,0,#TRUE#,*,1999999999\r\n#FALSE#\r\n",
                    kGoodData, "p, line 3: a grid of 3 x 2000000000 values is too large to hold in memory"},
    OpenFailureCase{"BadBoolean", " 0 \r\n\"x\",0,2,1,#YES#,*,2\r\n#FALSE#\r\n", kGoodData,
                    "p, line 2: the kind of variable 1 is neither #TRUE# nor #FALSE#: \"#YES#\""},
    OpenFailureCase{"UnclosedQuote", " 0 \r\n\"x,0,2,1,#TRUE#,*,2\r\n#FALSE#\r\n", kGoodData,
                    "p, line 2: the name of variable 1: a quoted text has no closing quote"},
    OpenFailureCase{"DataEndsInTheFunctionTable", kGoodProblem,
                    " 0 \r\n 2 \r\n#TRUE#\r\n 0 \r\n 1 \r\n 2 \r\n 5 \r\n 7 \r\n",
                    "p.dat, line 8: the file ends early: it holds 2 of the 3 function values"},
    OpenFailureCase{"DataEndsInTheValues", kGoodProblem, " 0 \r\n 2 \r\n#TRUE#\r\n 0 \r\n",
                    "p.dat, line 4: the file ends early: it holds 1 of the 3 values of variable 1"},
    OpenFailureCase{"HugeCountShortData", " 0 \r\n\"x\",0,2,1,#TRUE#,*,99999999\r\n#FALSE#\r\n",
                    " 0 \r\n 99999999 \r\n#TRUE#\r\n 0 \r\n",
                    "p.dat, line 4: the file ends early: it holds 1 of the 100000000 values of variable 1"},
    OpenFailureCase{"DataOfAnotherCount", kGoodProblem,
                    " 0 \r\n 3 \r\n#TRUE#\r\n 0 \r\n 1 \r\n 2 \r\n 3 \r\n 5 \r\n 7 \r\n 9 \r\n 9 \r\n",
                    "p.dat, line 2: variable 1 has \"4\" values here and 3 in the problem file; "
                    "the two files do not belong together"},
    OpenFailureCase{"DataOfAnotherVariableCount", kGoodProblem, kTwoVariableData,
                    "p.dat, line 1: the data file gives \"1\" as the number of variables less one, the problem "
                    "file 0; the two files do not belong together"}),
    PrintCaseName);

TEST(OpenFailureTest, ADirectoryIsNoProblemFile)
{
    testing::TempDir dir;
    std::filesystem::create_directory(dir.File("p"));
    ProblemModel model;
    OpenedEntries entries;
    const FileOutcome outcome = OpenProblemFiles(model, dir.File("p"), entries);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.message, dir.File("p") + ": cannot read: Is a directory");
    EXPECT_EQ(model.lastVar, 0);
}

TEST(OpenFailureTest, OfTwoDamagedLargeFilesTheProblemFileIsToldFirst)
{
    // Large enough for the two files' numbers to be read side by side.
    ProblemModel model = testing::MakeMixedModel({300, 250}, 3);
    std::string problem = ProblemFileText(model);
    std::string data = DataFileText(model);
    problem.resize(problem.size() - 100);
    data.resize(data.size() - 100);
    OpenedProblem opened;
    const FileOutcome outcome = ParseProblemFiles(problem, data, "p", opened);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.message.rfind("p, line ", 0), 0u) << outcome.message;
    EXPECT_NE(outcome.message.find("of the 75000 coefficients"), std::string::npos) << outcome.message;
}

} // namespace
} // namespace tavex
