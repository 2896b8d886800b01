// tavex-cli end to end: the built program run on files in a fresh directory.
#include "cli_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace tavex {
namespace {

// x on [0, 2], three equally spaced values, center 1, period "*", f = 5, 7, 9.
const std::string kProblem = " 0 \r\n\"x\",0,2,1,#TRUE#,*,2\r\n#FALSE#\r\n";
const std::string kData = " 0 \r\n 2 \r\n#TRUE#\r\n 0 \r\n 1 \r\n 2 \r\n 5 \r\n 7 \r\n 9 \r\n";
const std::string kListing =
    "COEFFICIENTS:\n7\n2                       *(x-1)\n0                       *(x-1)^2\n\n\n\n";

TEST_F(CliTest, ComputeSavesThePairAndListsTheCoefficients)
{
    WritePair(kProblem, kData);
    const CliRun run = Cli("compute p");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, kListing);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(ReadBytes(dir_.File("p")),
              " 0 \r\n\"x\",0,2,1,#TRUE#,6.28318530717959,2\r\n#TRUE#\r\n 7 \r\n 2 \r\n 0 \r\n");
    EXPECT_EQ(ReadBytes(dir_.File("p.dat")), kData);

    const CliRun list = Cli("list p");
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out, kListing);

    // Stored values 0, 5, 6 are replaced by 0, 1, 2 as the equally spaced flag asks.
    WritePair(kProblem, " 0 \r\n 2 \r\n#TRUE#\r\n 0 \r\n 5 \r\n 6 \r\n 5 \r\n 7 \r\n 9 \r\n");
    ASSERT_EQ(Cli("compute p").status, 0);
    EXPECT_EQ(ReadBytes(dir_.File("p.dat")), kData);
}

TEST_F(CliTest, AComputationThatFailsPrintsItsLineAndChangesNoFile)
{
    const std::pair<std::string, std::string> singular{
        kProblem, " 0 \r\n 2 \r\n#FALSE#\r\n 0 \r\n 0 \r\n 2 \r\n 5 \r\n 7 \r\n 9 \r\n"};
    const std::pair<std::string, std::string> zeroPeriod{" 0 \r\n\"t\",0,2,1,#FALSE#,0,2\r\n#FALSE#\r\n", kData};
    for (const auto& [pair, line] : {std::pair{singular, "YIELDS SINGULAR MATRIX.\n"},
                                     std::pair{zeroPeriod, "PERIOD OF t IS ZERO.\n"}}) {
        WritePair(pair.first, pair.second);
        const CliRun run = Cli("compute p");
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, line);
        ExpectPairUnchanged(pair.first, pair.second);
    }
}

TEST_F(CliTest, ListAndEvalNeedStoredCoefficients)
{
    WritePair(kProblem, kData);
    for (const char* command : {"list p", "eval p 1"}) {
        const CliRun run = Cli(command);
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_EQ(run.out, "");
        ExpectOneErrorLineNaming(run, "p: holds no coefficients");
    }
}

TEST_F(CliTest, EvalAtAPointOrAtPointsFromStandardInput)
{
    WritePair(kProblem, kData);
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
}

TEST_F(CliTest, EvalComparesWithTheFunctionItself)
{
    WritePair(kProblem, kData); // f = 5 + 2x on x in {0, 1, 2}
    ASSERT_EQ(Cli("compute p").status, 0);
    EXPECT_EQ(Cli("eval p --function 5+2*x 1.5").out, "8 8 0\n");
    EXPECT_EQ(Cli("eval p 0.5 --function x^2").out, "6 0.25 5.75\n");
    EXPECT_EQ(Cli("eval p --function 'Sqr(x)'", "4\n1\n").out, "13 2 11\n7 1 6\n");
    // A formula the script host cannot evaluate: the point named, status 2.
    const CliRun failed = Cli("eval p --function '1/(x-1)'", "0\n1\n2\n");
    EXPECT_EQ(failed.status, 2);
    EXPECT_EQ(failed.out, "5 -1 6\n");
    ExpectOneErrorLineNaming(failed, "standard input, line 2, the point 1: Division by zero");
    EXPECT_EQ(Cli("eval p 1 --function").status, 2);
}

TEST_F(CliTest, EvalReproducesEveryTabulatedValue)
{
    // x polynomial on [0, 1] (3 values, center 0.5), y trigonometric with
    // values 0, 1, 2, 3 typed in (not spaced), period 4, center 0.
    const std::string problem =
        " 1 \r\n\"x\",0,1,*,#TRUE#,*,2\r\n\"y\",0,3,0,#FALSE#,4,3\r\n#FALSE#\r\n";
    std::string data = " 1 \r\n 2 \r\n#TRUE#\r\n 3 \r\n#FALSE#\r\n 0 \r\n 0.5 \r\n 1 \r\n 0 \r\n 1 \r\n 2 \r\n 3 \r\n";
    std::vector<double> f;
    std::string points; // one point per line, its coordinates separated by a comma
    for (int i0 = 0; i0 < 3; ++i0)
        for (int i1 = 0; i1 < 4; ++i1) {
            f.push_back(1.0 + i0 * i0 - 2.5 * i1 + 0.25 * i0 * i1);
            data.append(" ").append(std::to_string(f.back())).append(" \r\n");
            points += std::to_string(0.5 * i0) + "," + std::to_string(i1) + "\n";
        }
    WritePair(problem, data);
    ASSERT_EQ(Cli("compute p").status, 0);
    // Against the formula it was tabulated from: the error is rounding.
    const CliRun run = Cli("eval p --function '1 + (2*x)^2 - 2.5*y + 0.25*(2*x)*y'", points);
    ASSERT_EQ(run.status, 0) << run.err;
    std::istringstream values(run.out);
    for (const double expected : f) {
        double value = 0.0, function = 0.0, error = 0.0;
        ASSERT_TRUE(values >> value >> function >> error);
        EXPECT_EQ(function, expected);
        EXPECT_NEAR(value, expected, 1e-12);
        EXPECT_LT(std::fabs(error), 1e-12);
    }

    // Points from standard input go in blocks of thousands: across a block's
    // end, each prints what it prints alone, and a faulty last line still
    // comes after every value.
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

TEST_F(CliTest, DiagnosePrintsTheFitFiguresAndChangesNoFile)
{
    WritePair(kProblem, kData);
    const CliRun run = Cli("diagnose p");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "x condition 3.33333333333333 digits 0.522878745280338\nreproduction 0\n");
    EXPECT_EQ(run.err, "");
    ExpectPairUnchanged(kProblem, kData);
    EXPECT_EQ(Cli("list p").status, 1); // nothing was saved

    // A backslash escaped, a Latin-1 byte as its character, UTF-8 as it is.
    const std::string named = " 0 \r\n\"a\\b\xe9\xc3\xa9\",0,2,1,#TRUE#,*,2\r\n#FALSE#\r\n";
    WritePair(named, kData);
    const CliRun json = Cli("diagnose --json p");
    EXPECT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out, "{\"variables\": [{\"name\": \"a\\\\b\\u00e9\xc3\xa9\", \"condition\": 3.33333333333333, "
                        "\"digits_lost\": 0.522878745280338}], \"reproduction\": 0}\n");
    ExpectPairUnchanged(named, kData);

    // A failing computation: its line and status 1, as compute.
    const std::string singular = " 0 \r\n 2 \r\n#FALSE#\r\n 0 \r\n 0 \r\n 2 \r\n 5 \r\n 7 \r\n 9 \r\n";
    WritePair(kProblem, singular);
    const CliRun failed = Cli("diagnose p --json");
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.out, "YIELDS SINGULAR MATRIX.\n");
    ExpectPairUnchanged(kProblem, singular);
}

TEST_F(CliTest, ReportShowsTheDataOrTheCoefficientsOnceComputed)
{
    WritePair(kProblem, kData);
    const std::string blocks = "\n"
                               "           VARIABLE: x\n"
                               "               TYPE: POLYNOMIAL\n"
                               "         # OF TERMS: 3\n"
                               "           INTERVAL: [ 0 , 2 ]\n"
                               "CENTER OF EXPANSION: 1\n";
    EXPECT_EQ(Cli("report p").out, blocks + "\nDATA:\n\n"
                                             "   x=0                                 FUNCTION=5\n"
                                             "   x=1                                 FUNCTION=7\n"
                                             "   x=2                                 FUNCTION=9\n"
                                             "\n\n\n");
    ASSERT_EQ(Cli("compute p").status, 0);
    EXPECT_EQ(Cli("report p").out, blocks + "\n" + kListing.substr(0, 14) + "\n" + kListing.substr(14));
}

TEST_F(CliTest, ErrorsAreOneLineNamingTheFileStatus2AndNoFileChanged)
{
    struct Case {
        const char* command;
        std::string problem;
        std::string data;
        std::string errorStart;
    };
    const Case cases[] = {
        {"compute nothing", kProblem, kData, "nothing: cannot read"},
        {"compute p", kProblem, kData.substr(0, kData.size() - 5), "p.dat, line 8: the file ends early"},
        {"list p", " 4 \r\n", kData, "p, line 1: a problem has 1 to 4 variables"},
        {"report p", " 0 \r\n\"x\",0,2,1,#TRUE#,*,1E+15\r\n#FALSE#\r\n", kData,
         "p, line 2: a grid of 1E+15 values is too large"},
        {"eval p 1", " 0 \r\n\"x\",0,2,1,#TRUE#,*,x\r\n#FALSE#\r\n", kData,
         "p, line 2: the value count of variable 1 is not a number"},
        {"compute", kProblem, kData, "compute: expects one PROBLEM file"},
        {"diagnose nothing --json", kProblem, kData, "nothing: cannot read"},
        {"diagnose p p", kProblem, kData, "diagnose: expects one PROBLEM file"},
        {"solve p", kProblem, kData, "unknown command 'solve'"},
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
    const CliRun tool = Cli("--help");
    EXPECT_EQ(tool.status, 0);
    EXPECT_EQ(tool.out.rfind("Usage: tavex-cli COMMAND", 0), 0u);
    for (const std::string command : {"compute", "list", "eval", "report", "demo", "diagnose", "import", "export"}) {
        const CliRun run = Cli(command + " --help");
        EXPECT_EQ(run.status, 0) << command;
        EXPECT_EQ(run.out.rfind("Usage: tavex-cli " + command, 0), 0u) << run.out;
    }
}

TEST_F(CliTest, DemoComputesTheWorkedExample)
{
    const CliRun run = Cli("demo");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "coef(0, 0) = 1\ncoef(1, 0) = 2\ncoef(0, 1) = 3\ncoef(1, 1) = 4\nf(2, 3) = 38\n");
}

} // namespace
} // namespace tavex
