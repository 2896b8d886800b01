// The problem file and its data file: number lines and fields, the layout
// byte for byte, the orders of the two tables, the reading rules, and round
// trips through the disk.
#include "example_problems.h"
#include "support/problem_builder.h"
#include "io/text/field_reader.h"
#include "io/text/number_field.h"
#include "io/text/number_line.h"
#include "io/problem/problem_file_reader.h"
#include "io/problem/problem_file_writer.h"
#include "io/problem/problem_files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <limits>

namespace tavex {
namespace {

using testing::kExampleDataFile;
using testing::kExampleProblemFile;

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(NumberLine, BlankBeforeUnlessNegativeBlankAfterCrLfAndFifteenDigits)
{
    const std::pair<double, const char*> cases[] = {
        {-0.0, " 0 \r\n"}, {-1.5, "-1.5 \r\n"}, {1e15, " 1E+15 \r\n"}, {kInf, " inf \r\n"}, {-kInf, "-inf \r\n"}};
    for (const auto& [value, line] : cases) {
        std::string out;
        AppendNumberLine(out, value);
        EXPECT_EQ(out, line);
    }
}

TEST(FieldReader, FieldsLinesTextsAndNumbers)
{
    using Fields = std::vector<std::string>;
    const std::pair<const char*, Fields> cases[] = {
        {"0\r1.5\r-2\r", {"0", "1.5", "-2"}}, {"  \t0 ,  1.5\t\r\n-2", {"0", "1.5", "-2"}}, {"0,\r\n1", {"0", "", "1"}},
        {"1\r\n\r\n2", {"1", "", "2"}},       {"1\r\n\r\n \r\n", {"1"}},                    {" \r\n\t\n", {}}};
    for (const auto& [text, fields] : cases) {
        FieldReader reader(text);
        Fields read;
        while (!reader.AtEnd())
            read.emplace_back(reader.NumberField());
        EXPECT_EQ(read, fields) << text;
    }
    FieldReader lines("a\r\nb\nc\rd");
    for (int line = 1; line <= 4; ++line, lines.TextField())
        EXPECT_EQ(lines.line(), line);
    EXPECT_EQ(lines.LastLine(), 4);
    EXPECT_EQ(FieldReader(" 1 \r\n 2 \r\n\r\n").LastLine(), 2);

    FieldReader texts("\"a, b\" ,  plain text  ,\"\",\"q\"junk,last\r\n");
    for (const char* text : {"a, b", "plain text", "", "q", "last"})
        EXPECT_EQ(texts.TextField(), text);
    EXPECT_TRUE(texts.AtEnd());

    const std::pair<const char*, double> numbers[] = {
        {"2abc", 2.0}, {"1E+400", kInf}, {"inf", kInf}, {"-inf", -kInf}, {"infinity", 0.0}};
    for (const auto& [field, value] : numbers)
        EXPECT_EQ(NumberFromField(field), value) << field;
    EXPECT_TRUE(std::isnan(NumberFromField("nan")));

    // The reader's quick way and the field read as text agree everywhere.
    for (const char* text : {" 1.5 \r\n-2 \r\n", "1e5x,1.5e,.5,-.5,5.,-", "inf,-inf,nan,infinity,-infinity",
                             "+3 4,,\r\n\r\n7", "1E+400,-1e-400,0x10", "1 2\t3\r4\n", "abc,2abc,\"5\""}) {
        FieldReader quick(text);
        FieldReader plain(text);
        double value = 0.0;
        while (quick.NextNumber(value)) {
            ASSERT_FALSE(plain.AtEnd());
            const double expected = NumberFromField(plain.NumberField());
            EXPECT_TRUE(value == expected || (std::isnan(value) && std::isnan(expected))) << text;
            EXPECT_EQ(quick.line(), plain.line());
        }
        EXPECT_TRUE(plain.AtEnd());
    }
}

OpenedProblem Parse(const std::string& problem, const std::string& data)
{
    OpenedProblem opened;
    const FileOutcome outcome = ParseProblemFiles(problem, data, "p", opened);
    EXPECT_TRUE(outcome.ok) << outcome.message;
    return opened;
}

TEST(ProblemFile, WorkedExampleByteForByteAndBackFromAnyForm)
{
    EXPECT_EQ(ProblemFileText(testing::MakeExampleModel()), kExampleProblemFile);
    EXPECT_EQ(DataFileText(testing::MakeExampleModel()), kExampleDataFile);
    const OpenedProblem opened = Parse(kExampleProblemFile, kExampleDataFile);
    EXPECT_EQ(ProblemFileText(opened.model), kExampleProblemFile);
    EXPECT_EQ(DataFileText(opened.model), kExampleDataFile);
    EXPECT_EQ(opened.model.coef, testing::MakeExampleModel().coef);
    EXPECT_EQ(opened.model.Var(0).storedValueUpper, 2);
    EXPECT_TRUE(opened.model.Var(0).valuesExplicit);
    EXPECT_EQ(opened.entries.periodText[0], "6.28318530717959");

    // Any decimal form, any line structure, a count rounded half to even, and a field without a number read as 0.
    const OpenedProblem any = Parse("0\nx, low , 2e0 ,1.000,#TRUE#,6.28318530717959,2.5\n#FALSE#",
                                    "+0, 2, #TRUE#\n0 one 2\n5.0\n\n.9E1\n");
    EXPECT_EQ(ProblemFileText(any.model), kExampleProblemFile);
    EXPECT_EQ(DataFileText(any.model), " 0 \r\n 2 \r\n#TRUE#\r\n 0 \r\n 0 \r\n 2 \r\n 5 \r\n 0 \r\n 9 \r\n");

    const std::string nonFinite = " 0 \r\n 2 \r\n#TRUE#\r\n 0 \r\n 1 \r\n 2 \r\n inf \r\n-inf \r\n nan \r\n";
    EXPECT_EQ(DataFileText(Parse(kExampleProblemFile, nonFinite).model), nonFinite);

    // A star alone, quoted or not, is the middle of the interval or 2 pi, and shows as typed; "* " is no star.
    const OpenedProblem star = Parse(" 0 \r\n\"t\",1,3,*,#TRUE#,\"*\",2\r\n#FALSE#\r\n", kExampleDataFile);
    EXPECT_EQ(ProblemFileText(star.model), " 0 \r\n\"t\",1,3,2,#TRUE#,6.28318530717959,2\r\n#FALSE#\r\n");
    EXPECT_EQ(star.entries.centerText[0], "*");
    EXPECT_EQ(star.entries.periodText[0], "*");
    const OpenedProblem notStar = Parse(" 0 \r\n\"t\",1,3,\"* \",#TRUE#,*,2\r\n#FALSE#\r\n", kExampleDataFile);
    EXPECT_EQ(notStar.model.Var(0).center, 0.0);
    EXPECT_EQ(notStar.entries.centerText[0], "* ");
}

TEST(ProblemFile, ThreeVariablesByteForByte)
{
    // Counts 2, 3 and 2; entry (i0, i1, i2) of either table is 100 i0 + 10 i1 + i2, so the order of the
    // indices shows in every line: the coefficients with the first index fastest, the function values with the last.
    ProblemModel model = testing::MakeMixedModel({2, 3, 2}, 1);
    testing::SetNames(model, {"a", "b", "c"});
    testing::SetEachVariable(model, &Variable::lowerLimit, {});
    testing::SetEachVariable(model, &Variable::upperLimit, {1, 2, 1, 0});
    testing::SetEachVariable(model, &Variable::center, {0.5, 0, -1, 0});
    testing::SetEachVariable(model, &Variable::period, {0, 4, 0, 0});
    model.RegenerateSpacedValues({true, true, true});
    for (int i2 = 0; i2 < 2; ++i2)
        for (int i1 = 0; i1 < 3; ++i1)
            for (int i0 = 0; i0 < 2; ++i0)
                model.coef(i0, i1, i2, 0) = model.funTable(i0, i1, i2, 0) = 100 * i0 + 10 * i1 + i2;
    const auto lines = [](std::initializer_list<int> values) {
        std::string text;
        for (const int v : values)
            text.append(" ").append(std::to_string(v)).append(" \r\n");
        return text;
    };
    EXPECT_EQ(ProblemFileText(model), " 2 \r\n\"a\",0,1,0.5,#TRUE#,0,1\r\n\"b\",0,2,0,#FALSE#,4,2\r\n"
                                      "\"c\",0,1,-1,#TRUE#,0,1\r\n#TRUE#\r\n"
                                          + lines({0, 100, 10, 110, 20, 120, 1, 101, 11, 111, 21, 121}));
    EXPECT_EQ(DataFileText(model), " 2 \r\n 1 \r\n#TRUE#\r\n 2 \r\n#FALSE#\r\n 1 \r\n#FALSE#\r\n"
                                       + lines({0, 1, 0, 1, 2, 0, 1})
                                       + lines({0, 1, 10, 11, 20, 21, 100, 101, 110, 111, 120, 121}));
}

TEST(ProblemFile, SaveAndOpenKeepEveryValue)
{
    for (ProblemModel model : {testing::MakeMixedModel({5}, 7), testing::MakeMixedModel({2, 3, 4}, 7),
                               testing::MakeMixedModel({3, 2, 4, 2}, 7), testing::MakeMixedModel({300, 250}, 7)}) {
        testing::TempDir dir;
        ASSERT_TRUE(SaveProblemFiles(model, dir.File("p")).ok);
        ProblemModel reopened;
        OpenedEntries entries;
        ASSERT_TRUE(OpenProblemFiles(reopened, dir.File("p"), entries).ok);
        EXPECT_EQ(reopened.coef, model.coef);
        EXPECT_EQ(reopened.funTable, model.funTable);
        for (int k = 0; k <= model.lastVar; ++k)
            EXPECT_EQ(reopened.Var(k).values, model.Var(k).values);
        // Names, kinds, counts and flags: what was read writes the same bytes again; compared
        // whole, since a diff of texts this long would not fit in memory.
        EXPECT_TRUE(ProblemFileText(reopened) == ProblemFileText(model));
        EXPECT_TRUE(DataFileText(reopened) == DataFileText(model));
    }
}

} // namespace
} // namespace tavex
