// The problem file and its data file: the layout byte for byte, the orders of
// the two tables, the reading rules, and round trips through the disk.
#include "example_problems.h"
#include "io/problem_file_reader.h"
#include "io/problem_file_writer.h"
#include "io/problem_files.h"
#include "model/number_text.h"
#include "temp_dir.h"

#include "model/star_value.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace tavex {
namespace {

using testing::kExampleDataFile;
using testing::kExampleProblemFile;
using testing::MakeExampleModel;
using testing::MakeMixedModel;

OpenedProblem Parse(const std::string& problem, const std::string& data)
{
    OpenedProblem opened;
    const FileOutcome outcome = ParseProblemFiles(problem, data, "p", opened);
    EXPECT_TRUE(outcome.ok) << outcome.message;
    return opened;
}

std::size_t LineCount(const std::string& text)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST(ProblemFileTest, WorkedExampleByteForByte)
{
    const ProblemModel model = MakeExampleModel();
    EXPECT_EQ(ProblemFileText(model), kExampleProblemFile);
    EXPECT_EQ(DataFileText(model), kExampleDataFile);
}

TEST(ProblemFileTest, WorkedExampleReadsBack)
{
    const OpenedProblem opened = Parse(kExampleProblemFile, kExampleDataFile);
    const ProblemModel& m = opened.model;
    EXPECT_EQ(m.lastVar, 0);
    ASSERT_EQ(m.varName.size(), 1u);
    EXPECT_EQ(m.varName[0], "x");
    EXPECT_EQ(m.lowerLimit[0], 0.0);
    EXPECT_EQ(m.upperLimit[0], 2.0);
    EXPECT_EQ(m.center[0], 1.0);
    EXPECT_FALSE(m.IsTrigonometric(0));
    EXPECT_EQ(m.period[0], 6.28318530717959);
    EXPECT_EQ(m.valueUpper[0], 2);
    EXPECT_EQ(m.storedValueUpper[0], 2);
    EXPECT_TRUE(m.isEquallySpaced[0]);
    EXPECT_TRUE(m.valuesExplicit[0]);
    EXPECT_FALSE(m.isComputed);
    EXPECT_EQ(m.VarX(0), (std::vector<double>{0, 1, 2}));
    EXPECT_EQ(m.funTable(1, 0, 0, 0), 7.0);
    EXPECT_EQ(m.funTable.size(), 3u);
    EXPECT_EQ(opened.entries.centerText[0], "1");
    EXPECT_EQ(opened.entries.periodText[0], "6.28318530717959");
}

TEST(ProblemFileTest, CoefficientsFirstIndexFastestFunctionTableLastIndexFastest)
{
    ProblemModel model = MakeMixedModel({2, 2}, 1);
    for (int i1 = 0; i1 < 2; ++i1)
        for (int i0 = 0; i0 < 2; ++i0) {
            model.coef(i0, i1, 0, 0) = 10 * i0 + i1;
            model.funTable(i0, i1, 0, 0) = 10 * i0 + i1;
        }
    const std::string problem = ProblemFileText(model);
    const std::string data = DataFileText(model);
    EXPECT_TRUE(problem.ends_with("#TRUE#\r\n 0 \r\n 10 \r\n 1 \r\n 11 \r\n")) << problem;
    EXPECT_TRUE(data.ends_with(" 0 \r\n 1 \r\n 10 \r\n 11 \r\n")) << data;
}

TEST(ProblemFileTest, LineCountsOfATwoVariablePair)
{
    const ProblemModel model = MakeMixedModel({3, 4}, 2);
    EXPECT_EQ(LineCount(ProblemFileText(model)), 1u + 2 + 1 + 12);
    EXPECT_EQ(LineCount(DataFileText(model)), 1u + 4 + 7 + 12);
}

// Every value's 15-digit text survives: that is all a number line keeps.
void ExpectSameTo15Digits(const std::vector<double>& a, const std::vector<double>& b)
{
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i)
        ASSERT_EQ(TextOfNumber(a[i]), TextOfNumber(b[i])) << "at " << i;
}

std::vector<double> Values(const Table4& table) { return {table.data(), table.data() + table.size()}; }

class RoundTripTest : public ::testing::TestWithParam<std::vector<int>> {};

TEST_P(RoundTripTest, SaveAndOpenKeepEveryValueTo15Digits)
{
    testing::TempDir dir;
    ProblemModel model = MakeMixedModel(GetParam(), 7);
    const std::string path = dir.File("problem");
    const FileOutcome saved = SaveProblemFiles(model, path);
    ASSERT_TRUE(saved.ok) << saved.message;

    ProblemModel reopened;
    OpenedEntries entries;
    const FileOutcome opened = OpenProblemFiles(reopened, path, entries);
    ASSERT_TRUE(opened.ok) << opened.message;
    EXPECT_EQ(reopened.lastVar, model.lastVar);
    EXPECT_EQ(reopened.varName, model.varName);
    EXPECT_TRUE(reopened.isComputed);
    for (int k = 0; k < kMaxVariables; ++k) {
        const auto s = static_cast<std::size_t>(k);
        EXPECT_EQ(reopened.valueUpper[s], model.valueUpper[s]);
        EXPECT_EQ(reopened.kind[s], model.kind[s]);
        EXPECT_EQ(reopened.isEquallySpaced[s], model.isEquallySpaced[s]);
        ExpectSameTo15Digits({reopened.lowerLimit[s], reopened.upperLimit[s], reopened.center[s], reopened.period[s]},
                             {model.lowerLimit[s], model.upperLimit[s], model.center[s], model.period[s]});
        if (k <= model.lastVar)
            ExpectSameTo15Digits(reopened.VarX(k), model.VarX(k));
    }
    ExpectSameTo15Digits(Values(reopened.coef), Values(model.coef));
    ExpectSameTo15Digits(Values(reopened.funTable), Values(model.funTable));

    // What was read writes the same bytes again.
    EXPECT_EQ(ProblemFileText(reopened), ProblemFileText(model));
    EXPECT_EQ(DataFileText(reopened), DataFileText(model));
}

INSTANTIATE_TEST_SUITE_P(Shapes, RoundTripTest, ::testing::Values(
    std::vector<int>{2}, std::vector<int>{5}, std::vector<int>{3, 4}, std::vector<int>{2, 3, 4},
    std::vector<int>{3, 2, 4, 2}, std::vector<int>{70, 3, 3, 3},
    std::vector<int>{300, 250}));

TEST(ProblemFileTest, NotComputedStoresNoCoefficients)
{
    ProblemModel model = MakeMixedModel({3, 4}, 3);
    model.isComputed = false;
    const std::string problem = ProblemFileText(model);
    EXPECT_TRUE(problem.ends_with("#FALSE#\r\n"));
    const OpenedProblem opened = Parse(problem, DataFileText(model));
    EXPECT_FALSE(opened.model.isComputed);
    EXPECT_EQ(Values(opened.model.coef), std::vector<double>(12, 0.0));
}

TEST(ProblemFileTest, ValuesThatAreNotFiniteSurvive)
{
    ProblemModel model = MakeExampleModel();
    model.funTable(0, 0, 0, 0) = std::numeric_limits<double>::infinity();
    model.funTable(1, 0, 0, 0) = -std::numeric_limits<double>::infinity();
    model.funTable(2, 0, 0, 0) = std::numeric_limits<double>::quiet_NaN();
    const OpenedProblem opened = Parse(ProblemFileText(model), DataFileText(model));
    EXPECT_EQ(opened.model.funTable(0, 0, 0, 0), std::numeric_limits<double>::infinity());
    EXPECT_EQ(opened.model.funTable(1, 0, 0, 0), -std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(opened.model.funTable(2, 0, 0, 0)));
}

TEST(ProblemFileTest, StarCenterAndPeriodAreResolvedAndKeptAsText)
{
    const OpenedProblem opened = Parse(" 0 \r\n\"t\",1,3,*,#FALSE#,*,2\r\n#FALSE#\r\n", kExampleDataFile);
    EXPECT_EQ(opened.model.center[0], 2.0);
    EXPECT_EQ(opened.model.period[0], 2.0 * PiValue());
    EXPECT_TRUE(opened.model.IsTrigonometric(0));
    EXPECT_EQ(opened.entries.centerText[0], "*");
    EXPECT_EQ(opened.entries.periodText[0], "*");
}

TEST(ProblemFileTest, OnlyAStarAloneIsTheShorthand)
{
    const OpenedProblem opened = Parse(" 0 \r\n\"t\",1,3,\"* \",#TRUE#,\"*\",2\r\n#FALSE#\r\n", kExampleDataFile);
    EXPECT_EQ(opened.model.center[0], 0.0);
    EXPECT_EQ(opened.entries.centerText[0], "* ");
    EXPECT_EQ(opened.model.period[0], 2.0 * PiValue());
}

TEST(ProblemFileTest, AcceptsLfLinesAnyDecimalFormAndAnyLineStructure)
{
    const OpenedProblem opened = Parse("0\nx, 0.0E0 , 2e0 ,1.000,#TRUE#,6.28318530717959,2.0\n#FALSE#",
                                       "+0, 2, #TRUE#\n0 1 2\n5.0\n7,.9E1\n");
    EXPECT_EQ(opened.model.varName[0], "x");
    EXPECT_EQ(opened.model.upperLimit[0], 2.0);
    EXPECT_EQ(opened.model.valueUpper[0], 2);
    EXPECT_EQ(opened.model.VarX(0), (std::vector<double>{0, 1, 2}));
    EXPECT_EQ(Values(opened.model.funTable), (std::vector<double>{5, 7, 9}));
}

TEST(ProblemFileTest, ANumberFieldWithoutANumberReadsAsZero)
{
    const OpenedProblem opened = Parse(" 0 \r\n\"x\",low,2,1,#TRUE#,*,2\r\n#FALSE#\r\n",
                                       " 0 \r\n 2 \r\n#TRUE#\r\n 0 \r\n one \r\n 2 \r\n 5 \r\n \r\n 9 \r\n");
    EXPECT_EQ(opened.model.lowerLimit[0], 0.0);
    EXPECT_EQ(opened.model.GetVarX(0, 1), 0.0);
    EXPECT_EQ(opened.model.funTable(1, 0, 0, 0), 0.0);
}

} // namespace
} // namespace tavex
