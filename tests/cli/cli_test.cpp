// tavex-cli end to end: the built program run on files in a fresh directory.
#include "cli_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace tavex {
namespace {

const std::string kListing =
    "COEFFICIENTS:\n7\n2                       *(x-1)\n0                       *(x-1)^2\n\n\n\n";
// The problem file once computed; its data file stays kData.
const std::string kComputed = " 0 \r\n\"x\",0,2,1,#TRUE#,6.28318530717959,2\r\n#TRUE#\r\n 7 \r\n 2 \r\n 0 \r\n";

TEST_F(CliTest, ComputeSavesThePairAndListsTheCoefficients)
{
    WritePair(kProblem, kData);
    const CliRun run = Cli("compute p");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, kListing);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(ReadBytes(dir_.File("p")), kComputed);
    EXPECT_EQ(ReadBytes(dir_.File("p.dat")), kData);

    const CliRun list = Cli("list p");
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out, kListing);

    // Stored values 0, 5, 6 are replaced by 0, 1, 2 as the equally spaced flag asks.
    WritePair(kProblem, " 0 \r\n 2 \r\n#TRUE#\r\n 0 \r\n 5 \r\n 6 \r\n 5 \r\n 7 \r\n 9 \r\n");
    ASSERT_EQ(Cli("compute p").status, 0);
    EXPECT_EQ(ReadBytes(dir_.File("p.dat")), kData);
}

// The pair's data file, named, stands for the pair: the fault was a save to "p.dat.dat".
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

// Diagnose fails as compute does.
TEST_F(CliTest, AComputationThatFailsPrintsItsLineAndChangesNoFile)
{
    const std::pair<std::string, std::string> singular{
        kProblem, " 0 \r\n 2 \r\n#FALSE#\r\n 0 \r\n 0 \r\n 2 \r\n 5 \r\n 7 \r\n 9 \r\n"};
    const std::pair<std::string, std::string> zeroPeriod{" 0 \r\n\"t\",0,2,1,#FALSE#,0,2\r\n#FALSE#\r\n", kData};
    for (const auto& [pair, line] : {std::pair{singular, "YIELDS SINGULAR MATRIX.\n"},
                                     std::pair{zeroPeriod, "PERIOD OF t IS ZERO.\n"}}) {
        WritePair(pair.first, pair.second);
        for (const char* command : {"compute p", "diagnose p --json"}) {
            const CliRun run = Cli(command);
            EXPECT_EQ(run.status, 1) << command;
            EXPECT_EQ(run.out, line) << command;
            ExpectPairUnchanged(pair.first, pair.second);
        }
    }
}

TEST_F(CliTest, ListEvalIntegrateAndExportNeedStoredCoefficients)
{
    WritePair(kProblem, kData);
    for (const char* command : {"list p", "eval p 1", "integrate p", "export p --format csv -o exported"}) {
        const CliRun run = Cli(command);
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_EQ(run.out, "");
        ExpectOneErrorLineNaming(run, "p: holds no coefficients");
    }
    EXPECT_FALSE(std::filesystem::exists(dir_.File("exported")));
}

TEST_F(CliTest, EvalAtAPointOrAtPointsFromStandardInputAndAgainstTheFunction)
{
    WritePair(kProblem, kData); // f = 5 + 2x on x in {0, 1, 2}
    ASSERT_EQ(Cli("compute p").status, 0);
    EXPECT_EQ(Cli("eval p 1.5").out, "8\n");
    EXPECT_EQ(Cli("eval p 1.5abc").out, "8\n");
    EXPECT_EQ(Cli("eval p abc").out, "5\n");
    EXPECT_EQ(Cli("eval p", "0\n\n 1 ,\r\n2\t\n-1\n").out, "5\n7\n9\n3\n");
    // The wrong number of coordinates: status 2, what came before it printed.
    EXPECT_EQ(Cli("eval p 1 2").status, 2);
    const CliRun input = Cli("eval p", "1\n1 2\n");
    EXPECT_EQ(input.status, 2);
    EXPECT_EQ(input.out, "7\n");
    ExpectOneErrorLineNaming(input, "standard input, line 2");

    // With a formula: the value, the formula's value, their difference.
    EXPECT_EQ(Cli("eval p --function 5+2*x 1.5").out, "8 8 0\n");
    EXPECT_EQ(Cli("eval p 0.5 --function x^2").out, "6 0.25 5.75\n");
    EXPECT_EQ(Cli("eval p --function 'Sqr(x)'", "4\n1\n").out, "13 2 11\n7 1 6\n");
    // A formula the script host cannot evaluate: the point named, status 2.
    const CliRun failed = Cli("eval p --function '1/(x-1)'", "0\n1\n2\n");
    EXPECT_EQ(failed.status, 2);
    EXPECT_EQ(failed.out, "5 -1 6\n");
    ExpectOneErrorLineNaming(failed, "standard input, line 2, the point 1: Division by zero");
    EXPECT_EQ(Cli("eval p 1 --function").status, 2);

    // A coordinate beyond the range of a number is named and ends the run; one too small for a double is 0.
    const CliRun given = Cli("eval p 1e999");
    EXPECT_EQ(given.status, 2);
    EXPECT_EQ(given.out, "");
    EXPECT_EQ(given.err, "tavex-cli: x: 1e999 is beyond the range of a number\n");
    const CliRun read = Cli("eval p --function x", "1\n1e-999\n-2e400abc\n2\n");
    EXPECT_EQ(read.status, 2);
    EXPECT_EQ(read.out, "7 1 6\n5 0 5\n");
    ExpectOneErrorLineNaming(read, "standard input, line 3: x: -2e400abc is beyond the range of a number");
}

// Points from standard input go in blocks of thousands: across a block's end,
// each prints what it prints alone, and a faulty last line still comes after
// every value. That the values reproduce the table is the engine's test.
TEST_F(CliTest, EvalReadsPointsInBlocksEachAsItIsReadAlone)
{
    // x polynomial on [0, 1] (3 values, center 0.5), y trigonometric with
    // values 0, 1, 2, 3 typed in (not spaced), period 4, center 0.
    const std::string problem = " 1 \r\n\"x\",0,1,*,#TRUE#,*,2\r\n\"y\",0,3,0,#FALSE#,4,3\r\n#FALSE#\r\n";
    std::string data = " 1 \r\n 2 \r\n#TRUE#\r\n 3 \r\n#FALSE#\r\n 0 \r\n 0.5 \r\n 1 \r\n 0 \r\n 1 \r\n 2 \r\n 3 \r\n";
    for (int i = 0; i < 12; ++i)
        data.append(" ").append(std::to_string(1.0 + i * i - 2.5 * (i % 5))).append(" \r\n");
    WritePair(problem, data);
    ASSERT_EQ(Cli("compute p").status, 0);
    std::vector<std::string> many;
    std::string input;
    for (int i = 0; i < 4100; ++i) {
        many.push_back(std::to_string(0.37 * (i % 7) - 0.6) + " " + std::to_string(0.011 * i - 20.0));
        input += many.back() + "\n";
    }
    const CliRun all = Cli("eval p", input + "1\n");
    EXPECT_EQ(all.status, 2);
    ExpectOneErrorLineNaming(all, "standard input, line 4101");
    std::vector<std::string> lines;
    for (std::istringstream text(all.out); std::getline(text, lines.emplace_back());)
        ;
    lines.pop_back();
    ASSERT_EQ(lines.size(), many.size());
    for (const std::size_t i : {0, 1, 4095, 4096, 4099})
        EXPECT_EQ(lines[i] + "\n", Cli("eval p " + many[i]).out) << many[i];
}

TEST_F(CliTest, DiagnosePrintsTheFitFiguresAndAnySingularityAndChangesNoFile)
{
    WritePair(kProblem, kData);
    const CliRun run = Cli("diagnose p");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "x condition 3.33333333333333 digits 0.522878745280338\n"
                       "x scaled_condition 3.33333333333333 scaled_digits 0.522878745280338\n"
                       "reproduction 0\nswing 0.888888888888889\nwarning no\n");
    EXPECT_EQ(run.err, "");
    ExpectPairUnchanged(kProblem, kData);
    EXPECT_EQ(Cli("list p").status, 1); // nothing was saved

    // A backslash escaped, a Latin-1 byte as its character, UTF-8 as it is.
    const std::string named = " 0 \r\n\"a\\b\xe9\xc3\xa9\",0,2,1,#TRUE#,*,2\r\n#FALSE#\r\n";
    WritePair(named, kData);
    const CliRun json = Cli("diagnose --json p");
    EXPECT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out, "{\"variables\": [{\"name\": \"a\\\\b\\u00e9\xc3\xa9\", \"condition\": 3.33333333333333, "
                        "\"digits_lost\": 0.522878745280338, \"scaled_condition\": 3.33333333333333, "
                        "\"scaled_digits_lost\": 0.522878745280338, \"singularity\": \"\"}], \"reproduction\": 0, "
                        "\"swing\": 0.888888888888889, \"warning\": false}\n");
    ExpectPairUnchanged(named, kData);

    // A basis singular in exact arithmetic, whose wording is the engine's test: its line and the warning.
    WritePair(" 0 \r\n\"t\",0,2,0,#FALSE#,4,1\r\n#FALSE#\r\n", " 0 \r\n 1 \r\n#FALSE#\r\n 0 \r\n 2 \r\n 5 \r\n 7 \r\n");
    const std::string singular = Cli("diagnose p").out, singularJson = Cli("diagnose p --json").out;
    EXPECT_NE(singular.find("\nt singularity with 2 equally spaced values"), std::string::npos) << singular;
    EXPECT_TRUE(singular.ends_with("\nwarning yes\n")) << singular;
    EXPECT_NE(singularJson.find("\"singularity\": \"with 2 equally spaced values"), std::string::npos) << singularJson;
    EXPECT_TRUE(singularJson.ends_with(", \"warning\": true}\n")) << singularJson;

    // A table of zeros has no swing.
    WritePair(kProblem, " 0 \r\n 2 \r\n#TRUE#\r\n 0 \r\n 1 \r\n 2 \r\n 0 \r\n 0 \r\n 0 \r\n");
    EXPECT_TRUE(Cli("diagnose p").out.ends_with("\nreproduction 0\nswing none\nwarning no\n"));
    EXPECT_TRUE(Cli("diagnose p --json").out.ends_with(", \"reproduction\": 0, \"swing\": null, \"warning\": false}\n"));
}

// The report's lines are pinned with the report itself; here, which part the
// command prints, its lines without their trailing blanks.
TEST_F(CliTest, ReportShowsTheDataOrTheCoefficientsOnceComputed)
{
    WritePair(kProblem, kData);
    const std::string data = Cli("report p").out;
    const std::size_t blocksEnd = data.find("\nDATA:\n\n   x=0");
    ASSERT_NE(blocksEnd, std::string::npos) << data;
    EXPECT_TRUE(data.starts_with("\n           VARIABLE: x\n") && data.ends_with("FUNCTION=9\n\n\n\n")) << data;
    EXPECT_EQ(data.find(" \n"), std::string::npos) << data;
    ASSERT_EQ(Cli("compute p").status, 0);
    EXPECT_EQ(Cli("report p").out, data.substr(0, blocksEnd) + "\nCOEFFICIENTS:\n\n" + kListing.substr(14));
}

TEST_F(CliTest, ErrorsAreOneLineNamingTheFileStatus2AndNoFileChanged)
{
    struct Case { const char* command; std::string problem; std::string data; std::string errorStart; };
    const Case cases[] = {
        {"compute nothing", kProblem, kData, "nothing: cannot read"}, {"solve p", kProblem, kData, "unknown command 'solve'"},
        {"compute p", kProblem, kData.substr(0, kData.size() - 5), "p.dat, line 8: the file ends early"},
        {"eval p 1", " 0 \r\n\"x\",0,2,1,#TRUE#,*,x\r\n#FALSE#\r\n", kData,
         "p, line 2: the value count of variable 1 is not a number"},
        {"compute", kProblem, kData, "compute: expects one PROBLEM file"},
        {"diagnose p p", kProblem, kData, "diagnose: expects one PROBLEM file"},
        {"export p", kComputed, kData, "export: expects --format csv, json, c, cpp, python, fortran, javascript or matlab"},
        {"export p --format xml", kComputed, kData, "export: unknown format 'xml'"},
        {"export p --format csv -o", kComputed, kData, "export: -o expects a value"},
        {"export p --format csv --json", kComputed, kData, "export: unknown option '--json'"},
        {"export p p --format csv", kComputed, kData, "export: expects one PROBLEM file"},
        {"export p --format csv -o missing/exported", kComputed, kData, "missing/exported: cannot write"},
        {"export p --format json -o ./p.dat", kComputed, kData, "./p.dat: cannot export: it is a file of the problem p"},
    };
    for (const Case& c : cases) {
        WritePair(c.problem, c.data);
        const CliRun run = Cli(c.command);
        EXPECT_EQ(run.status, 2) << c.command;
        EXPECT_EQ(run.out, "");
        ExpectOneErrorLineNaming(run, c.errorStart);
        ExpectPairUnchanged(c.problem, c.data);
    }
}

TEST_F(CliTest, HelpForTheToolAndEveryCommand)
{
    for (const std::string command :
         {"", "compute", "list", "eval", "report", "demo", "diagnose", "import", "export"}) { // "": the tool's
        const CliRun run = Cli(command + " --help");
        EXPECT_EQ(run.status, 0) << command;
        EXPECT_EQ(run.out.rfind("Usage: tavex-cli " + (command.empty() ? "COMMAND" : command), 0), 0u) << run.out;
    }
}

TEST_F(CliTest, DemoComputesTheWorkedExample)
{
    const CliRun run = Cli("demo");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "coef(0, 0) = 1\ncoef(1, 0) = 2\ncoef(0, 1) = 3\ncoef(1, 1) = 4\nf(2, 3) = 38\n");
}

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

// The table's own refusals are pinned with the table import.
TEST_F(CliTest, ARefusedImportWritesNothing)
{
    WriteBytes(dir_.File("t.csv"), "x,y,f\n0,0,1\n0,1,2\n1,0,3\n1,0,4\n");
    const std::pair<const char*, const char*> cases[] = {
        {"import t.csv p", "t.csv, line 5: a point is given again: (x=1, y=0)"},
        {"import t.csv p --center x", "import: --center expects NAME=VALUE"},
        {"import t.csv", "import: expects a TABLEFILE and a PROBLEM file"},
    };
    for (const auto& [arguments, error] : cases) {
        const CliRun run = Cli(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(run.out, "");
        ExpectOneErrorLineNaming(run, error);
        EXPECT_FALSE(std::filesystem::exists(dir_.File("p")));
        EXPECT_FALSE(std::filesystem::exists(dir_.File("p.dat")));
    }
    // Nor does it touch a pair already there.
    WritePair("old", "old data");
    EXPECT_EQ(Cli("import t.csv p").status, 2);
    ExpectPairUnchanged("old", "old data");
}

// eval with formulas over variables whose names the script language cannot
// assign: kProblem's variable renamed.
TEST_F(CliTest, TheFormulaFailsOnlyWhenItReadsAVariableItCouldNotBeGiven)
{
    struct Case { const char* name; const char* arguments; int status; std::string out, err; };
    const Case cases[] = {
        // Names no statement assigns: the formula goes on without them.
        {"2x", "--function 7 1", 0, "7 7 0\n", ""}, {"x y", "--function 'Sqr(4)' 1", 0, "7 2 5\n", ""},
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
        std::string problem = kProblem;
        problem.replace(problem.find("\"x\""), 3, std::string(1, '"').append(c.name).append("\""));
        WritePair(problem, kData);
        ASSERT_EQ(Cli("compute p").status, 0);
        const CliRun run = Cli(std::string("eval p ") + c.arguments);
        EXPECT_EQ(run.status, c.status) << c.name << " " << c.arguments;
        EXPECT_EQ(run.out, c.out) << c.name << " " << c.arguments;
        EXPECT_EQ(run.err, c.err) << c.name << " " << c.arguments;
    }
}

} // namespace
} // namespace tavex
