// Exporting the coefficients from the shell: CSV or JSON on standard output or
// in a file, and the help file's evaluator of the JSON against eval.
#include "cli_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <random>
#include <sstream>

namespace tavex {
namespace {

class ExportTest : public CliTest {
protected:
    void WriteComputedPair(const std::string& problem, const std::string& data)
    {
        WritePair(problem, data);
        ASSERT_EQ(Cli("compute p").status, 0);
    }

    // The output of tests/cli/export_json_check.py on the export in p.json at the points.
    std::string CheckScript(const std::string& points)
    {
        const auto script = std::filesystem::path(__FILE__).parent_path() / "export_json_check.py";
        WriteBytes(dir_.File("points"), points);
        const std::string command = "cd '" + dir_.path() + "' && /usr/bin/python3 '" + script.string()
                                  + "' p.json <points >checked";
        EXPECT_EQ(std::system(command.c_str()), 0);
        return ReadBytes(dir_.File("checked"));
    }
};

TEST_F(ExportTest, CsvOrJsonOnStandardOutputOrInAFileThatIsReplaced)
{
    WriteComputedPair(kProblem, kData);
    EXPECT_EQ(Cli("export p --format csv").out, "j0,term,coefficient\r\n0,,7\r\n1,*(x-1),2\r\n2,*(x-1)^2,0\r\n");
    for (const std::string format : {"csv", "json"}) {
        const CliRun out = Cli("export p --format " + format);
        EXPECT_EQ(out.status, 0);
        WriteBytes(dir_.File("exported"), "old");
        const CliRun file = Cli("export -o exported --format " + format + " p");
        EXPECT_EQ(file.status, 0);
        EXPECT_EQ(file.out + file.err, "");
        EXPECT_EQ(ReadBytes(dir_.File("exported")), out.out);
    }
}

// At random points inside the intervals and beyond, to rounding: 1e-12 of
// the sum of the terms' magnitudes. Centers and periods away from the
// defaults; names that JSON escapes.
TEST_F(ExportTest, TheHelpFilesEvaluatorOfTheJsonAgreesWithEval)
{
    const std::pair<std::string, std::array<int, 2>> cases[] = {
        {"\"x\",0,2,0.5,#TRUE#,*,3\r\n\"y\",-1,1,*,#TRUE#,*,2\r\n", {4, 3}},
        {"\"t\\\xe9\",0,3.2,0.3,#FALSE#,4,4\r\n\"u, v\",-1,1,*,#FALSE#,3,3\r\n", {5, 4}},
    };
    std::mt19937 gen(11);
    std::uniform_real_distribution<double> coordinate(-1.5, 3.5), tabulated(-10.0, 10.0);
    for (const auto& [variables, counts] : cases) {
        std::string data = " 1 \r\n";
        for (const int count : counts)
            data.append(" ").append(std::to_string(count - 1)).append(" \r\n#TRUE#\r\n");
        for (int i = 0; i < counts[0] + counts[1] + counts[0] * counts[1]; ++i) // values, regenerated; then f
            data.append(" ").append(std::to_string(tabulated(gen))).append(" \r\n");
        WriteComputedPair(" 1 \r\n" + variables + "#FALSE#\r\n", data);
        ASSERT_EQ(Cli("export p --format json -o p.json").status, 0);

        std::string points;
        for (int i = 0; i < 25; ++i)
            points.append(std::to_string(coordinate(gen))).append(" ").append(std::to_string(coordinate(gen))) += '\n';
        std::istringstream expected(Cli("eval p", points).out), got(CheckScript(points));
        int compared = 0;
        for (double want = 0.0, value = 0.0, magnitude = 0.0; expected >> want && got >> value >> magnitude; ++compared)
            EXPECT_LE(std::fabs(value - want), 1e-12 * magnitude) << variables << " point " << compared;
        EXPECT_EQ(compared, 25) << variables;
    }
}

} // namespace
} // namespace tavex
