#pragma once

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <sys/wait.h>

namespace tavex {

using testing::ReadBytes;
using testing::WriteBytes;

// x on [0, 2], three equally spaced values, center 1, period "*", f = 5, 7, 9.
inline const std::string kProblem = " 0 \r\n\"x\",0,2,1,#TRUE#,*,2\r\n#FALSE#\r\n";
inline const std::string kData = " 0 \r\n 2 \r\n#TRUE#\r\n 0 \r\n 1 \r\n 2 \r\n 5 \r\n 7 \r\n 9 \r\n";

struct CliRun { int status = -1; std::string out, err; };

class CliTest : public ::testing::Test {
protected:
    // Runs tavex-cli with the arguments (no quotes in them) and standard input.
    CliRun Cli(const std::string& arguments, const std::string& input = "")
    {
        WriteBytes(dir_.File("stdin"), input);
        const std::string command = std::string("cd '") + dir_.path() + "' && '" + TAVEX_CLI_PATH + "' " + arguments
                                  + " <stdin >stdout 2>stderr";
        const int raw = std::system(command.c_str());
        CliRun run;
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.out = ReadBytes(dir_.File("stdout"));
        run.err = ReadBytes(dir_.File("stderr"));
        return run;
    }

    void WritePair(const std::string& problem, const std::string& data)
    {
        WriteBytes(dir_.File("p"), problem);
        WriteBytes(dir_.File("p.dat"), data);
    }

    void ExpectPairUnchanged(const std::string& problem, const std::string& data)
    {
        EXPECT_EQ(ReadBytes(dir_.File("p")), problem);
        EXPECT_EQ(ReadBytes(dir_.File("p.dat")), data);
    }

    // One line on standard error that names the file.
    void ExpectOneErrorLineNaming(const CliRun& run, const std::string& file)
    {
        EXPECT_EQ(run.err.rfind("tavex-cli: " + file, 0), 0u) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }

    testing::TempDir dir_;
};

} // namespace tavex
