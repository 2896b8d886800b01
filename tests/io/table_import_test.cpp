// Importing a table: both layouts whatever the separator, quoting, byte-order
// mark and line ends; every refusal names the file and the line and changes
// nothing; and an imported table computes to the same coefficients, bit for
// bit, as the problem it was written from.
#include "commands/import_command.h"
#include "support/problem_builder.h"
#include "engine/compute.h"
#include "example_problems.h"
#include "io/problem/problem_file_writer.h"
#include "io/table/table_import.h"
#include "model/model_invariants.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <random>

namespace tavex {
namespace {

// x in {0, 1}, y in {10, 20, 30}.
double F(double x, double y) { return 1 + y / 10 + x * y; }

TEST(TableImport, ReadsBothLayoutsWhateverTheSeparatorQuotesAndLineEnds)
{
    const struct { const char* text; std::vector<std::string> names; } cases[] = {
        {"x,y,f\n1,30,34\n0,10,2\n0,20,3\n1,10,12\n0,30,4\n1,20,23\n", {"x", "y"}},
        {"\xEF\xBB\xBF" "0;10;2\r\n0;20;3\r\n\r\n0;30;4\r\n1;10;12\r\n1;20;23\r\n1;30;34\r\n", {"x", "y"}},
        {"\"time; s\"\t\"y\"\tf\n0\t10\t2\n0\t20\t3\n0\t30\t4\n1\t10\t12\n1\t20\t23\n1\t30\t34\n", {"time; s", "y"}},
        {"  a   b  f\n 0  10  2\n0 20 3\n  \t\n0 30 4\n1 10 12\n1   20\t23\n1 30 34", {"a", "b"}},
        {"a , b , f \n -0 , 10 , 2\n1,10,12\n0,20,3\n0,30,4\n1,20,23\n1,30,34\n,,\n", {"a", "b"}},
        {",10,20,30\r\n0,2,3,4\r\n1,12,23,34\r\n", {"x", "y"}},
        {"x\\y;30;10;20\n1;34;12;23\n0;4;2;3\n;;;\n", {"x", "y"}},
        {"\t\"10\"\t20\t30\n0\t2\t\"3\"\t4\n1\t12\t23\t34\n", {"x", "y"}},
        {"label 10 20 30\n1 12 23 34\n0 2 3 4\n", {"x", "y"}},
    };
    for (const auto& c : cases) {
        OpenedProblem imported;
        const FileOutcome outcome = ParseTable(c.text, "t.csv", {}, imported);
        ASSERT_TRUE(outcome.ok) << c.text << outcome.message;
        const ProblemModel& model = imported.model;
        EXPECT_EQ(BrokenInvariant(model), "");
        EXPECT_EQ(model.Names(), c.names) << c.text;
        EXPECT_EQ(model.Var(0).values, (std::vector<double>{0, 1})) << c.text;
        EXPECT_FALSE(std::signbit(model.Var(0).values[0])) << c.text; // "-0" is the value zero
        EXPECT_EQ(model.Var(1).values, (std::vector<double>{10, 20, 30})) << c.text;
        for (int i = 0; i < 2; ++i)
            for (int j = 0; j < 3; ++j)
                EXPECT_EQ(model.funTable(i, j, 0, 0), F(i, 10 * (j + 1))) << c.text;
    }
}

TEST(TableImport, OneToFourVariablesTakeTheDefaultNamesAndTheStarEntries)
{
    const std::vector<std::string> names = {"x", "y", "z", "w"};
    for (std::size_t variables = 1; variables <= 4; ++variables) {
        std::string text;
        for (int point = 0; point < 1 << variables; ++point) {
            for (std::size_t k = 0; k < variables; ++k)
                text += std::to_string((point >> k) & 1 ? static_cast<int>(k) + 1 : -1) + " ";
            text += std::to_string(point) + "\n";
        }
        OpenedProblem imported;
        ASSERT_TRUE(ParseTable(text, "t", {}, imported).ok) << text;
        const ProblemModel& model = imported.model;
        EXPECT_EQ(model.lastVar, static_cast<int>(variables) - 1);
        EXPECT_EQ(model.Names(), std::vector<std::string>(names.begin(), names.begin() + variables));
        EXPECT_FALSE(model.IsComputed());
        for (std::size_t k = 0; k < variables; ++k) {
            EXPECT_EQ(model.Var(k).kind, Kind::Polynomial);
            EXPECT_TRUE(model.Var(k).valuesExplicit && !model.Var(k).isEquallySpaced);
            EXPECT_EQ(model.Var(k).lowerLimit, -1);
            EXPECT_EQ(model.Var(k).upperLimit, static_cast<double>(k + 1));
            EXPECT_EQ(model.Var(k).center, StarCenter(-1, static_cast<double>(k + 1)));
            EXPECT_EQ(model.Var(k).period, StarPeriod());
            EXPECT_EQ(imported.entries.centerText[k] + imported.entries.periodText[k], "**");
            // Point 1 << k lies at index 1 of variable k alone.
            EXPECT_EQ(model.funTable.data()[model.funTable.Stride(static_cast<int>(k))], 1 << k);
        }
    }
}

TEST(TableImport, TheImportCommandReplacesTheProblemAndForgetsItsFile)
{
    testing::TempDir dir;
    testing::WriteBytes(dir.File("t.csv"), "a b f\n0 0 1\n0 1 2\n1 0 3\n1 1 4\n");
    ProblemModel model = testing::MakeMixedModel({3, 2, 2}, 1);
    Session session;
    session.problemFile = dir.File("old");
    TableImportOptions options;
    options.trigonometric = {"c"};
    EXPECT_FALSE(command::ImportTable(model, session, dir.File("t.csv"), options).outcome.ok);
    EXPECT_EQ(model.lastVar, 2);
    EXPECT_EQ(session.problemFile, dir.File("old"));

    const command::OpenResult result = command::ImportTable(model, session, dir.File("t.csv"), {});
    ASSERT_TRUE(result.outcome.ok);
    EXPECT_EQ(model.lastVar, 1);
    EXPECT_EQ(session.problemFile, "");
    // The boxes show the entries as the table gave them, not their numbers.
    ASSERT_EQ(result.shown.panels.size(), 2u);
    EXPECT_EQ(result.shown.panels[1].center, "*");
    EXPECT_EQ(result.shown.panels[1].period, "*");
}

TEST(TableImport, RefusalsNameTheFileAndTheLineAndChangeNothing)
{
    std::string farApart; // 1000 points that share no coordinate: a grid of 10^12 points
    for (int i = 0; i < 1000; ++i) {
        const std::string coordinate = std::to_string(i) + " ";
        farApart += coordinate + coordinate + coordinate + coordinate + "0\n";
    }
    const struct { std::string text; const char* message; TableImportOptions options = {}; } cases[] = {
        {"", "t.csv: the file is empty"}, {"\xEF\xBB\xBF \r\n\t\n", "t.csv: the file is empty"},
        {"x,y,f\n0,0,1\n\n0,1,abc\n", "t.csv, line 4: field 3 is not a number: \"abc\""},
        {"x,y,f\n0,0,1\n0,1,\n", "t.csv, line 3: field 3 is not a number: \"\""},
        {"0;1,5\n", "t.csv, line 1: field 2 is not a number: \"1,5\""},
        {"0 1e999\n1 2\n", "t.csv, line 1: field 2 is beyond the range of a double: \"1e999\""},
        {"x,y,f\n0,0,1\n0,1\n", "t.csv, line 3: the row has 2 fields where the first row has 3"},
        {",1,2\n0,1,2\n1,1,2,3\n", "t.csv, line 3: the row has 4 fields where the first row has 3"},
        {"1,2,3,4,5,6\n", "t.csv, line 1: the first row has 6 fields; a row holds 1 to 4 coordinates and the function value"},
        {"f\n1\n", "t.csv, line 1: the first row has 1 field; a row holds 1 to 4 coordinates and the function value"},
        {"x,,f\n", "t.csv, line 1: the name of variable 2 is empty"},
        {"x,x,f\n", "t.csv, line 1: two variables are named \"x\""},
        {"\"a\"\"b\",y,f\n", "t.csv, line 1: the name \"a\"b\" holds a comma or a double quote, which a variable's name cannot"},
        {"\"x,y,f\n", "t.csv, line 1: field 1 has a double quote that is not closed on its line"},
        {"\"x\"a,y,f\n", "t.csv, line 1: field 1 holds more after its closing double quote"},
        {"x,2,f\n", "t.csv, line 1: the first row mixes names and numbers: it is neither a header of names "
                    "nor the values of y after a label"},
        {"1,y,f\n", "t.csv, line 1: field 2 is not a number: \"y\""},
        {"x,y,f\n", "t.csv, line 1: the table ends after its first row"},
        {"\n,1,2\n", "t.csv, line 2: the table ends after its first row"},
        {"x,y,f\n0,0,1\n0,1,2\n", "t.csv: variable x takes one value only (0); a variable needs at least 2"},
        {farApart, "t.csv: the values of the variables make a grid of 1000 x 1000 x 1000 x 1000 points, too large to hold in memory"},
        {"0,0,1\n0,1,2\n1,0,3\n", "t.csv: a point of the grid is missing: (x=1, y=1)"},
        {"0 0 1\n1 1 1\n2 2 1\n", "t.csv: 6 points of the grid are missing: (x=1, y=0), (x=2, y=0), (x=0, y=1), ..."},
        {"0,0,1\n0,1,2\n1,0,3\n1,1,4\n0,1,5\n", "t.csv, line 5: a point is given again: (x=0, y=1)"},
        {",1,1,2\n0,1,2,3\n1,3,4,5\n", "t.csv, line 2: 2 points are given again: (x=0, y=1), (x=1, y=1)"},
        {"a,b,f\n", "t.csv: the table has no variable named \"q\" (its variables: a, b)", {.trigonometric = {"q"}}},
        {"0,1\n", "t.csv: the table has no variable named \"y\" (its variables: x)", {.periods = {{"y", "1"}}}},
        {"0,0,1\n", "the center given for x is neither \"*\" nor a number: \"1 2\"", {.centers = {{"x", "1 2"}}}},
    };
    for (const auto& c : cases) {
        OpenedProblem imported{testing::MakeMixedModel({3, 2}, 5), {}};
        imported.entries.centerText[0] = "kept";
        const std::string before = ProblemFileText(imported.model) + DataFileText(imported.model);
        EXPECT_EQ(ParseTable(c.text, "t.csv", c.options, imported).message, c.message);
        EXPECT_EQ(ProblemFileText(imported.model) + DataFileText(imported.model), before) << c.message;
        EXPECT_EQ(imported.entries.centerText[0], "kept");
    }

    testing::TempDir dir;
    OpenedProblem imported;
    EXPECT_EQ(ReadTable(dir.File("t.csv"), {}, imported).message, dir.File("t.csv: cannot read: No such file or directory"));
    EXPECT_EQ(ReadTable(dir.path(), {}, imported).message, dir.path() + ": cannot read: Is a directory");
}

// A problem of explicit values, mixed kinds and arbitrary centers and
// periods, written as a long table in random row order with every number's
// 17 digits, imports as the same problem and computes to the same
// coefficients bit for bit. Its values ascend, as an import gives them: the
// same values in another order would round differently in the solve.
TEST(TableImport, ATableWrittenFromAProblemComputesToItsCoefficients)
{
    std::mt19937 gen(17);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const auto text = [](double value) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.17g", value);
        return std::string(buffer);
    };
    // 40 values: more than the first hash table of distinct values holds.
    for (const std::vector<int>& counts : {std::vector<int>{40, 3}, std::vector<int>{4, 3, 6}}) {
        ProblemModel original = testing::MakeMixedModel(counts, 17);
        TableImportOptions options;
        for (int k = 0; k <= original.lastVar; ++k) {
            const auto s = static_cast<std::size_t>(k);
            double value = -2 * unit(gen);
            for (int i = 0; i <= original.Var(s).valueUpper; ++i, value += 0.1 + unit(gen))
                original.Var(k).SetValue(i, value);
            original.Var(s).isEquallySpaced = false;
            original.Var(s).center = unit(gen) - 0.5;
            original.Var(s).period = 20 + unit(gen);
            if (original.IsTrigonometric(k))
                options.trigonometric.push_back(original.Var(s).name);
            options.centers[original.Var(s).name] = text(original.Var(s).center);
            options.periods[original.Var(s).name] = text(original.Var(s).period);
        }
        std::vector<std::string> rows;
        const std::array<int, 4> upper = original.UpperIndices();
        for (int i0 = 0; i0 <= upper[0]; ++i0)
            for (int i1 = 0; i1 <= upper[1]; ++i1)
                for (int i2 = 0; i2 <= upper[2]; ++i2) {
                    std::string row = text(original.Var(0).Value(i0)) + ',' + text(original.Var(1).Value(i1)) + ',';
                    if (original.lastVar == 2)
                        row.append(text(original.Var(2).Value(i2))).append(",");
                    rows.push_back(row.append(text(original.funTable(i0, i1, i2, 0))).append("\n"));
                }
        std::shuffle(rows.begin(), rows.end(), std::mt19937(3));
        std::string table = original.lastVar == 2 ? "v0,v1,v2,f\n" : "v0,v1,f\n";
        for (const std::string& row : rows)
            table += row;

        OpenedProblem imported;
        ASSERT_TRUE(ParseTable(table, "t", options, imported).ok);
        ProblemModel& model = imported.model;
        for (int k = 0; k <= original.lastVar; ++k) {
            const auto s = static_cast<std::size_t>(k);
            EXPECT_EQ(model.Var(k).values, original.Var(k).values);
            EXPECT_EQ(model.Var(s).kind, original.Var(s).kind);
        }
        EXPECT_EQ(model.funTable, original.funTable);
        for (ProblemModel* problem : {&original, &model}) {
            problem->coef = problem->funTable; // what the compute command hands the engine
            ASSERT_TRUE(Compute(*problem, {}).succeeded);
        }
        EXPECT_EQ(model.coef, original.coef);
    }
}

} // namespace
} // namespace tavex
