// The problem file and its data file: the layout byte for byte, the orders of
// the two tables, the reading rules, and round trips through the disk.
#include "example_problems.h"
#include "io/problem_file_reader.h"
#include "io/problem_file_writer.h"
#include "io/problem_files.h"
#include "model/number_text.h"
#include "model/star_value.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tavex {
namespace {

using testing::kExampleDataFile;
using testing::kExampleProblemFile;
using testing::MakeExampleModel;
using testing::MakeMixedModel;

constexpr double kInf = std::numeric_limits<double>::infinity();

OpenedProblem Parse(const std::string& problem, const std::string& data)
{
    OpenedProblem opened;
    const FileOutcome outcome = ParseProblemFiles(problem, data, "p", opened);
    EXPECT_TRUE(outcome.ok) << outcome.message;
    return opened;
}

std::vector<double> Values(const Table4& table) { return {table.data(), table.data() + table.size()}; }

TEST(ProblemFile, WorkedExampleByteForByteAndBack)
{
    EXPECT_EQ(ProblemFileText(MakeExampleModel()), kExampleProblemFile);
    EXPECT_EQ(DataFileText(MakeExampleModel()), kExampleDataFile);

    const OpenedProblem opened = Parse(kExampleProblemFile, kExampleDataFile);
    const ProblemModel& m = opened.model;
    EXPECT_EQ(m.varName, std::vector<std::string>{"x"});
    EXPECT_EQ(m.center[0], 1.0);
    EXPECT_EQ(m.period[0], 6.28318530717959);
    EXPECT_EQ(m.kind[0], Kind::Polynomial);
    EXPECT_EQ(m.storedValueUpper[0], 2);
    EXPECT_TRUE(m.isEquallySpaced[0]);
    EXPECT_TRUE(m.valuesExplicit[0]);
    EXPECT_FALSE(m.isComputed);
    EXPECT_EQ(m.VarX(0), (std::vector<double>{0, 1, 2}));
    EXPECT_EQ(Values(m.funTable), (std::vector<double>{5, 7, 9}));
    EXPECT_EQ(opened.entries.periodText[0], "6.28318530717959");
}

TEST(ProblemFile, ThreeVariablesByteForByte)
{
    // Counts 2, 3 and 2; entry (i0, i1, i2) of either table is 100 i0 + 10 i1 + i2, so
    // the order of the indices shows in every line: the coefficients with the
    // first index fastest, the function values with the last.
    ProblemModel model;
    model.lastVar = 2;
    model.AllocateVariableArrays();
    model.varName = {"a", "b", "c"};
    model.kind = {Kind::Polynomial, Kind::Trigonometric, Kind::Polynomial, Kind::Polynomial};
    model.isEquallySpaced = {true, false, true, false};
    model.upperLimit = {1, 2, 1, 0};
    model.center = {0.5, 0, -1, 0};
    model.period = {0, 4, 0, 0};
    model.valueUpper = {1, 2, 1, 0};
    model.ShapeTablesFromValueCounts();
    for (int k = 0; k < 3; ++k) {
        model.ResizeVarX(k);
        for (int i = 0; i <= model.valueUpper[static_cast<std::size_t>(k)]; ++i)
            model.SetVarX(k, i, i);
    }
    for (int i2 = 0; i2 < 2; ++i2)
        for (int i1 = 0; i1 < 3; ++i1)
            for (int i0 = 0; i0 < 2; ++i0)
                model.coef(i0, i1, i2, 0) = model.funTable(i0, i1, i2, 0) = 100 * i0 + 10 * i1 + i2;
    model.isComputed = true;

    const auto lines = [](std::initializer_list<int> values) {
        std::string text;
        for (const int v : values)
            text.append(" ").append(std::to_string(v)).append(" \r\n");
        return text;
    };
    EXPECT_EQ(ProblemFileText(model), " 2 \r\n\"a\",0,1,0.5,#TRUE#,0,1\r\n\"b\",0,2,0,#FALSE#,4,2\r\n"
                                      "\"c\",0,1,-1,#TRUE#,0,1\r\n#TRUE#\r\n"
                                          + lines({0, 100, 10, 110, 20, 120, 1, 101, 11, 111, 21, 121}));
    EXPECT_EQ(DataFileText(model), " 2 \r\n 1 \r\n#TRUE#\r\n 2 \r\n#FALSE#\r\n 1 \r\n#TRUE#\r\n"
                                       + lines({0, 1, 0, 1, 2, 0, 1})
                                       + lines({0, 1, 10, 11, 20, 21, 100, 101, 110, 111, 120, 121}));
    const OpenedProblem opened = Parse(ProblemFileText(model), DataFileText(model));
    EXPECT_EQ(opened.model.coef, model.coef);
    EXPECT_EQ(opened.model.funTable, model.funTable);
}

TEST(ProblemFile, SaveAndOpenKeepEveryValueTo15Digits)
{
    // Every value's 15-digit text survives: that is all a number line keeps.
    const auto sameTo15Digits = [](const std::vector<double>& a, const std::vector<double>& b) {
        ASSERT_EQ(a.size(), b.size());
        for (std::size_t i = 0; i < a.size(); ++i)
            ASSERT_EQ(TextOfNumber(a[i]), TextOfNumber(b[i])) << "at " << i;
    };
    for (const std::vector<int>& counts : {std::vector<int>{5}, std::vector<int>{2, 3, 4},
                                           std::vector<int>{3, 2, 4, 2}, std::vector<int>{300, 250}}) {
        testing::TempDir dir;
        ProblemModel model = MakeMixedModel(counts, 7);
        const std::string path = dir.File("problem");
        ASSERT_TRUE(SaveProblemFiles(model, path).ok);
        ProblemModel reopened;
        OpenedEntries entries;
        ASSERT_TRUE(OpenProblemFiles(reopened, path, entries).ok);
        EXPECT_EQ(reopened.varName, model.varName);
        EXPECT_EQ(reopened.valueUpper, model.valueUpper);
        EXPECT_EQ(reopened.kind, model.kind);
        EXPECT_EQ(reopened.isEquallySpaced, model.isEquallySpaced);
        for (int k = 0; k <= model.lastVar; ++k)
            sameTo15Digits(reopened.VarX(k), model.VarX(k));
        sameTo15Digits(Values(reopened.coef), Values(model.coef));
        sameTo15Digits(Values(reopened.funTable), Values(model.funTable));
        // What was read writes the same bytes again.
        EXPECT_EQ(ProblemFileText(reopened), ProblemFileText(model));
        EXPECT_EQ(DataFileText(reopened), DataFileText(model));
    }
}

TEST(ProblemFile, NotComputedStoresNoCoefficientsAndNonFiniteValuesSurvive)
{
    ProblemModel model = MakeExampleModel();
    model.funTable(0, 0, 0, 0) = kInf;
    model.funTable(1, 0, 0, 0) = -kInf;
    model.funTable(2, 0, 0, 0) = std::numeric_limits<double>::quiet_NaN();
    const OpenedProblem opened = Parse(ProblemFileText(model), DataFileText(model));
    EXPECT_FALSE(opened.model.isComputed);
    EXPECT_EQ(Values(opened.model.coef), std::vector<double>(3, 0.0));
    EXPECT_EQ(opened.model.funTable(0, 0, 0, 0), kInf);
    EXPECT_EQ(opened.model.funTable(1, 0, 0, 0), -kInf);
    EXPECT_TRUE(std::isnan(opened.model.funTable(2, 0, 0, 0)));
}

TEST(ProblemFile, StarEntriesAreResolvedAndKeptAsText)
{
    struct Case {
        const char* record;
        double center, period;
        const char* centerText;
    };
    const Case cases[] = {
        {"\"t\",1,3,*,#FALSE#,*,2", 2.0, 2.0 * PiValue(), "*"},
        {"\"t\",1,3,\"* \",#TRUE#,\"*\",2", 0.0, 2.0 * PiValue(), "* "}, // only a star alone is the shorthand
    };
    for (const Case& c : cases) {
        const OpenedProblem opened = Parse(std::string(" 0 \r\n") + c.record + "\r\n#FALSE#\r\n", kExampleDataFile);
        EXPECT_EQ(opened.model.center[0], c.center) << c.record;
        EXPECT_EQ(opened.model.period[0], c.period) << c.record;
        EXPECT_EQ(opened.entries.centerText[0], c.centerText);
        EXPECT_EQ(opened.entries.periodText[0], "*");
    }
}

TEST(ProblemFile, ReadsAnyDecimalFormAnyLineStructureAndNoNumberAsZero)
{
    const OpenedProblem any = Parse("0\nx, 0.0E0 , 2e0 ,1.000,#TRUE#,6.28318530717959,2.0\n#FALSE#",
                                    "+0, 2, #TRUE#\n0 1 2\n5.0\n7,.9E1\n");
    EXPECT_EQ(any.model.varName[0], "x");
    EXPECT_EQ(any.model.upperLimit[0], 2.0);
    EXPECT_EQ(any.model.VarX(0), (std::vector<double>{0, 1, 2}));
    EXPECT_EQ(Values(any.model.funTable), (std::vector<double>{5, 7, 9}));

    const OpenedProblem none = Parse(" 0 \r\n\"x\",low,2,1,#TRUE#,*,2\r\n#FALSE#\r\n",
                                     " 0 \r\n 2 \r\n#TRUE#\r\n 0 \r\n one \r\n 2 \r\n 5 \r\n \r\n 9 \r\n");
    EXPECT_EQ(none.model.lowerLimit[0], 0.0);
    EXPECT_EQ(none.model.GetVarX(0, 1), 0.0);
    EXPECT_EQ(none.model.funTable(1, 0, 0, 0), 0.0);
}

} // namespace
} // namespace tavex
