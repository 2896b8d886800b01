// The expansion exported as code, compiled and run by each language's own
// tools: C, C++ and Python give eval's values to the bit, the others to
// rounding. The options' faults are one line and exit status 2.
#include "cli_fixture.h"
#include "engine/derivative.h"
#include "engine/evaluate_many.h"
#include "io/problem/problem_files.h"
#include "model/number_text.h"
#include "support/term_magnitudes.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <sstream>

namespace tavex {
namespace {

struct Exported {
    std::string problem;    // the pair's name in the test's folder
    std::string derivative; // the --derivative argument, empty for none
    int variables = 0;
    PerVariable<int> orders{}; // the derivative's
};

// Both kinds in every position, one to four variables, two derivatives.
const Exported kExported[] = {{"p1", "", 1},        {"p2", "", 2}, {"p2", "x=1,y=2", 2, {1, 2, 0, 0}},
                              {"p3", "", 3},        {"p4", "", 4}, {"p4", "y=1,w=1", 4, {0, 1, 0, 1}}};

struct Language {
    const char* format;
    const char* extension;
    const char* tool; // what must be installed
    bool exact;       // bit for bit, else to 1e-13 of the terms' magnitudes
    const char* driver;
    const char* run; // builds and runs the driver of fit0, fit1, ... in the test's folder
};

void PrintTo(const Language& language, std::ostream* out) { *out << language.format; }

std::string Include(const char* extension)
{
    std::string text;
    for (std::size_t k = 0; k < std::size(kExported); ++k)
        text.append("#include \"fit").append(std::to_string(k)).append(extension).append("\"\n");
    return text;
}

// "case K: v = CALL; break;" for each function, CALL spelled by `call`.
template <class Call>
std::string Cases(Call call)
{
    std::string text;
    for (std::size_t k = 0; k < std::size(kExported); ++k)
        text.append(call(std::string("fit").append(std::to_string(k)), kExported[k].variables)).append("\n");
    return text;
}

std::string Driver(const Language& language)
{
    const std::string format = language.format;
    if (format == "c" || format == "cpp") {
        const bool cpp = format == "cpp";
        return Include(cpp ? ".hpp" : ".c") + "#include <stdio.h>\nint main(void)\n{\n    int k;\n    double x[4];\n"
             + "    while (scanf(\"%d %lf %lf %lf %lf\", &k, x, x + 1, x + 2, x + 3) == 5) {\n        double v = 0;\n"
             + "        switch (k) {\n" + Cases([cpp](const std::string& f, int n) {
                   return std::string("        case ").append(f.substr(3)) + ": v = " + (cpp ? "tavex_fit::" + f + "({x, " + std::to_string(n) + "})" : f + "(x)") + "; break;";
               })
             + "        }\n        printf(\"%a\\n\", v);\n    }\n    return 0;\n}\n";
    }
    if (format == "python")
        return "import sys\n" + Cases([](const std::string& f, int) { return "from " + f + " import " + f; })
             + "fs = [" + Cases([](const std::string& f, int) { return f + ","; }) + "]\nfor line in sys.stdin:\n"
             + "    p = line.split()\n    k = int(p[0])\n    x = [float(t) for t in p[1:]]\n"
             + "    n = fs[k].__code__.co_argcount\n    print(fs[k](*x[:n]).hex())\n";
    if (format == "javascript")
        return "const fs = [" + Cases([](const std::string& f, int) { return "require('./" + f + ".js')." + f + ","; })
             + "];\nconst lines = require('fs').readFileSync(0, 'utf8').trim().split('\\n');\nconst out = [];\n"
             + "for (const line of lines) {\n    const p = line.split(' ').map(Number);\n"
             + "    out.push(String(fs[p[0]](...p.slice(1, 1 + fs[p[0]].length))));\n}\n"
             + "process.stdout.write(out.join('\\n') + '\\n');\n";
    if (format == "matlab")
        return "fs = {" + Cases([](const std::string& f, int) { return "@" + f + ","; }) + "};\nns = ["
             + Cases([](const std::string&, int n) { return std::to_string(n) + ","; })
             + "];\np = load('points');\nfor k = 0:numel(fs) - 1\n    rows = p(p(:, 1) == k, :);\n"
             + "    args = num2cell(rows(:, 2:1 + ns(k + 1)), 1);\n    printf('%.17g\\n', fs{k + 1}(args{:}));\nend\n";
    // Fortran
    return "program drive\n" + Cases([](const std::string& f, int) { return "  use " + f + "_m"; })
         + "  use, intrinsic :: iso_fortran_env, only: real64\n  implicit none\n  integer :: k, ios\n"
         + "  real(real64) :: x(4), v\n  do\n    read (*, *, iostat=ios) k, x\n    if (ios /= 0) exit\n"
         + "    select case (k)\n" + Cases([](const std::string& f, int n) {
               return std::string("    case (").append(f.substr(3)) + ")\n      v = " + f + "(x(1:" + std::to_string(n) + "))";
           })
         + "    end select\n    write (*, '(ES26.17E3)') v\n  end do\nend program drive\n";
}

const Language kLanguages[] = {
    {"c", ".c", "gcc", true, "drive.c", "gcc -O1 -ffp-contract=off -o drive drive.c -lm && ./drive"},
    {"cpp", ".hpp", "g++", true, "drive.cpp", "g++ -std=c++20 -O1 -ffp-contract=off -o drive drive.cpp && ./drive"},
    {"python", ".py", "/usr/bin/python3", true, "drive.py", "/usr/bin/python3 drive.py"},
    {"fortran", ".f90", "gfortran", false, "drive.f90", "gfortran -O1 -o drive fit?.f90 drive.f90 && ./drive"},
    {"javascript", ".js", "node", false, "drive.js", "node drive.js"},
    {"matlab", ".m", "octave", false, "drive.m", "octave --no-gui --quiet drive.m"},
};

bool Installed(const char* tool)
{
    return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

class CodeExportTest : public CliTest, public ::testing::WithParamInterface<Language> {
protected:
    void SetUp() override
    {
        // name, lower, upper, center, polynomial, period, count
        const char* variables[] = {"\"x\",0,2,0.5,#TRUE#,*,", "\"y\",-1,1,*,#FALSE#,3,", "\"z\",0,3.2,0.3,#FALSE#,4,",
                                   "\"w\",-2,1,-0.75,#TRUE#,*,"};
        const int counts[] = {5, 4, 3, 2};
        std::mt19937 gen(5);
        std::uniform_real_distribution<double> tabulated(-10.0, 10.0);
        for (int n = 1; n <= 4; ++n) {
            std::string problem = std::string(" ").append(std::to_string(n - 1)).append(" \r\n"), data = problem;
            int values = 0, points = 1;
            for (int v = 0; v < n; ++v) {
                problem.append(variables[v]).append(std::to_string(counts[v] - 1)).append("\r\n");
                data.append(" ").append(std::to_string(counts[v] - 1)).append(" \r\n#TRUE#\r\n");
                values += counts[v];
                points *= counts[v];
            }
            for (int i = 0; i < values + points; ++i) // values, regenerated; then f
                data.append(" ").append(std::to_string(tabulated(gen))).append(" \r\n");
            const std::string name = std::string("p").append(std::to_string(n));
            WriteBytes(dir_.File(name), problem + "#FALSE#\r\n");
            WriteBytes(dir_.File(name + ".dat"), data);
            ASSERT_EQ(Cli("compute " + name).status, 0) << name;
        }
    }

    // The expansion eval evaluates for an exported function.
    ProblemModel Model(const Exported& exported)
    {
        ProblemModel model;
        OpenedEntries entries;
        EXPECT_TRUE(OpenProblemFiles(model, dir_.File(exported.problem), entries).ok);
        return exported.derivative.empty() ? model : Derivative(model, exported.orders).value();
    }
};

TEST_P(CodeExportTest, GivesEvalsValues)
{
    const Language& language = GetParam();
    if (!Installed(language.tool))
        GTEST_SKIP() << language.tool << " is not installed; the " << language.format << " export is not run";
    // 200 points in and around the intervals, three decimals each, which every
    // reader takes alike; eval's values to the bit, checked against what it prints.
    std::mt19937 gen(9);
    std::uniform_real_distribution<double> coordinate(-2.5, 3.5);
    std::string points;
    std::vector<PerVariable<double>> at[std::size(kExported)];
    std::vector<double> want[std::size(kExported)];
    for (std::size_t k = 0; k < std::size(kExported); ++k) {
        const Exported& exported = kExported[k];
        std::string evalInput;
        for (int i = 0; i < 200; ++i) {
            PerVariable<double>& point = at[k].emplace_back();
            points.append(std::to_string(k));
            for (int v = 0; v < 4; ++v) {
                char text[32];
                std::snprintf(text, sizeof text, " %.3f", coordinate(gen));
                points.append(text);
                point[static_cast<std::size_t>(v)] = std::strtod(text, nullptr);
                evalInput.append(v < exported.variables ? text : "").append(v == 3 ? "\n" : "");
            }
            points += '\n';
        }
        const std::string derivative = exported.derivative.empty() ? "" : " --derivative " + exported.derivative;
        std::istringstream printed(Cli("eval " + exported.problem + derivative, evalInput).out);
        want[k] = EvaluateMany(Model(exported), at[k]).value();
        for (std::string line; const double value : want[k])
            ASSERT_TRUE(std::getline(printed, line) && line == TextOfNumber(value)) << k << ": " << line;

        const std::string file = std::string("fit").append(std::to_string(k)) + language.extension;
        ASSERT_EQ(Cli("export " + exported.problem + derivative + " --format " + language.format + " --name "
                      + file.substr(0, file.find('.')) + " -o " + file)
                      .status,
                  0);
        const std::string header = ReadBytes(dir_.File(file)).substr(0, 2000);
        for (const std::string& part : {exported.problem, std::string("Fit reproduces the table")})
            EXPECT_NE(header.find(part), std::string::npos) << part << "\n" << header;
    }
    WriteBytes(dir_.File("points"), points);
    WriteBytes(dir_.File(language.driver), Driver(language));
    const std::string command = "cd '" + dir_.path() + "' && " + language.run + " <points >values 2>errors";
    ASSERT_EQ(std::system(command.c_str()), 0) << ReadBytes(dir_.File("errors"));
    std::istringstream values(ReadBytes(dir_.File("values")));
    for (std::size_t k = 0; k < std::size(kExported); ++k) {
        const ProblemModel model = Model(kExported[k]);
        for (std::size_t i = 0; i < want[k].size(); ++i) {
            std::string text;
            ASSERT_TRUE(values >> text) << k << " " << i;
            const double got = std::strtod(text.c_str(), nullptr);
            if (language.exact)
                EXPECT_EQ(std::bit_cast<std::uint64_t>(got), std::bit_cast<std::uint64_t>(want[k][i])) << k << ": " << text;
            else
                EXPECT_LE(std::fabs(got - want[k][i]), 1e-13 * testing::TermMagnitudes(model, at[k][i])) << k << " " << i;
        }
    }
}

using CodeExportFaults = CodeExportTest;

INSTANTIATE_TEST_SUITE_P(Languages, CodeExportTest, ::testing::ValuesIn(kLanguages),
                         [](const ::testing::TestParamInfo<Language>& info) { return std::string(info.param.format); });

TEST_F(CodeExportFaults, AreOneLineAndExitStatus2)
{
    // Names and orders are refused where they are read, an unknown format with the
    // other commands' errors; one name and one order here show that export asks.
    const std::string faulty[] = {
        "export p1 --format c --name a-b",   "export p1 --format c --derivative q=1",
        "export p1 --format csv --name fit", "export p1 --format c --name a --name b",
    };
    for (const std::string& arguments : faulty) {
        const CliRun run = Cli(arguments + " -o out");
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << arguments << run.err;
        EXPECT_FALSE(std::filesystem::exists(dir_.File("out"))) << arguments;
    }
    EXPECT_EQ(Cli("export p1 --format c --name " + std::string(63, 'a') + " -o out").status, 0);
}

} // namespace
} // namespace tavex
