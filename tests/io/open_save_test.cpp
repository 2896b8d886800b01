// Open and Save complete or change nothing: a pair that cannot be opened is
// refused with the file and the line, damaged pairs never crash, hang or claim
// memory they cannot fill, and a failed save leaves the old pair and no temporary file.
#include "example_problems.h"
#include "support/problem_builder.h"
#include "io/problem/problem_file_reader.h"
#include "io/problem/problem_file_writer.h"
#include "io/problem/problem_files.h"
#include "io/text/replace_files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <optional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace tavex {
namespace {

namespace fs = std::filesystem;

// Opens dir/p over a problem of its own and expects the message, after the directory.
void ExpectRefused(const testing::TempDir& dir, const std::string& message)
{
    ProblemModel model = testing::MakeMixedModel({3, 2}, 11);
    const std::string before = ProblemFileText(model).append(DataFileText(model));
    OpenedEntries entries;
    entries.centerText[0] = "kept";
    EXPECT_EQ(OpenProblemFiles(model, dir.File("p"), entries).message, dir.File(message));
    EXPECT_EQ(ProblemFileText(model).append(DataFileText(model)), before) << message;
    EXPECT_EQ(entries.centerText[0], "kept");
}

TEST(OpenFailure, NamesTheFileAndTheLineAndChangesNothing)
{
    const std::string record = "\"x\",0,2,1,#TRUE#,*,2\r\n";
    const std::string good = " 0 \r\n" + record + "#FALSE#\r\n";
    const std::string& data = testing::kExampleDataFile;
    // nullopt: the file does not exist.
    const struct { std::optional<std::string> problem, data; const char* message; } cases[] = {
        {std::nullopt, data, "p: cannot read: No such file or directory"},
        {good, std::nullopt, "p.dat: cannot read: No such file or directory"},
        {"", data, "p, line 1: the file ends early: the number of variables is missing"},
        {" 0 \r\n\"x\",0,2", data, "p, line 2: the file ends early: the center of variable 1 is missing"},
        {" 0 \r\n" + record, data, "p, line 2: the file ends early: the flag of the coefficients is missing"},
        {" 0 \r\n" + record + "#TRUE#\r\n 1 \r\n 2 \r\n", data,
         "p, line 5: the file ends early: it holds 2 of the 3 coefficients"},
        {"-1 \r\n", data, "p, line 1: a problem has 1 to 4 variables; the file gives 0"},
        {" 4 \r\n", data, "p, line 1: a problem has 1 to 4 variables; the file gives 5"},
        {"\r\n 4 \r\n", data, "p, line 1: the number of variables is not a number: \"\""},
        {" 0 \r\n\"x\",0,2,1,#TRUE#,*,0\r\n#FALSE#\r\n", data,
         "p, line 2: variable 1 has fewer than 2 values; a variable needs at least 2"},
        {" 0 \r\n\"x\",0,2,1,#TRUE#,*,many\r\n#FALSE#\r\n", data,
         "p, line 2: the value count of variable 1 is not a number: \"many\""},
        {" 1 \r\n" + record + "\"y\",0,1,0,#TRUE#,*,1999999999\r\n#FALSE#\r\n", data,
         "p, line 3: a grid of 3 x 2000000000 values is too large to hold in memory"},
        {" 0 \r\n\"x\",0,2,1,#YES#,*,2\r\n#FALSE#\r\n", data,
         "p, line 2: the kind of variable 1 is neither #TRUE# nor #FALSE#: \"#YES#\""},
        {" 0 \r\n\"x,0,2,1,#TRUE#,*,2\r\n#FALSE#\r\n", data,
         "p, line 2: the name of variable 1: a quoted text has no closing quote"},
        {good, " 0 \r\n 2 \r\n#TRUE#\r\n 0 \r\n 1 \r\n 2 \r\n 5 \r\n 7 \r\n",
         "p.dat, line 8: the file ends early: it holds 2 of the 3 function values"},
        {good, " 0 \r\n 2 \r\n#TRUE#\r\n 0 \r\n",
         "p.dat, line 4: the file ends early: it holds 1 of the 3 values of variable 1"},
        {" 0 \r\n\"x\",0,2,1,#TRUE#,*,99999999\r\n#FALSE#\r\n", " 0 \r\n 99999999 \r\n#TRUE#\r\n 0 \r\n",
         "p.dat, line 4: the file ends early: it holds 1 of the 100000000 values of variable 1"},
        {good, " 0 \r\n 3 \r\n#TRUE#\r\n 0 \r\n 1 \r\n 2 \r\n 3 \r\n 5 \r\n 7 \r\n 9 \r\n 9 \r\n",
         "p.dat, line 2: variable 1 has \"4\" values here and 3 in the problem file; "
         "the two files do not belong together"},
        {good, " 1 \r\n 2 \r\n#TRUE#\r\n 1 \r\n#TRUE#\r\n 0 \r\n 1 \r\n 2 \r\n 0 \r\n 1 \r\n",
         "p.dat, line 1: the data file gives \"1\" as the number of variables less one, the problem "
         "file 0; the two files do not belong together"},
    };
    for (const auto& c : cases) {
        testing::TempDir dir;
        if (c.problem)
            testing::WriteBytes(dir.File("p"), *c.problem);
        if (c.data)
            testing::WriteBytes(dir.File("p.dat"), *c.data);
        ExpectRefused(dir, c.message);
    }
    testing::TempDir dir;
    fs::create_directory(dir.File("p"));
    ExpectRefused(dir, "p: cannot read: Is a directory");
}

// The data file of a pair, picked, opens the pair; a file that is no problem is named as the one picked.
TEST(OpenPicked, TheDataFileStandsForItsPairAndOtherFilesForThemselves)
{
    const std::string& problem = testing::kExampleProblemFile;
    const std::string& data = testing::kExampleDataFile;
    const std::string letter = "Dear Bob,\nsee you.\n";
    // What opens: the problem file, or nothing and the message, after the directory.
    const struct { std::vector<std::pair<const char*, std::string>> files; const char *picked, *opens, *message; } cases[] = {
        {{{"p", problem}, {"p.dat", data}}, "p.dat", "p", ""},
        {{{"p", problem}, {"p.dat", data}}, "p", "p", ""},
        // A problem named "x.dat", beside a problem "x" whose data file it is not.
        {{{"x.dat", problem}, {"x.dat.dat", data}, {"x", problem}}, "x.dat", "x.dat", ""},
        {{{"notes.txt", letter}}, "notes.txt", nullptr,
         "notes.txt is not a Tavex problem: line 1: the number of variables is not a number: \"Dear\""},
        {{{"notes", letter}, {"notes.dat", letter}}, "notes.dat", nullptr,
         "notes.dat is not a Tavex problem: line 1: the number of variables is not a number: \"Dear\""},
        {{{"empty.dat", ""}}, "empty.dat", nullptr,
         "empty.dat is not a Tavex problem: line 1: the file ends early: the number of variables is missing"},
        // A damaged pair keeps its messages, whichever half is picked.
        {{{"p", problem}, {"p.dat", " 0 \r\n 3 \r\n#TRUE#\r\n"}}, "p.dat", nullptr,
         "p.dat, line 2: variable 1 has \"4\" values here and 3 in the problem file; "
         "the two files do not belong together"},
        {{}, "p.dat", nullptr, "p.dat: cannot read: No such file or directory"},
    };
    for (const auto& c : cases) {
        testing::TempDir dir;
        for (const auto& [name, text] : c.files)
            testing::WriteBytes(dir.File(name), text);
        const std::string opens = ProblemFileFor(dir.File(c.picked));
        OpenedProblem opened;
        const FileOutcome outcome = ReadProblemFiles(opens, opened);
        if (c.opens) {
            EXPECT_EQ(opens, dir.File(c.opens)) << c.picked;
            EXPECT_TRUE(outcome.ok) << outcome.message;
            EXPECT_EQ(opened.model.Var(0).valueUpper, 2) << c.picked;
        } else {
            EXPECT_EQ(outcome.message, dir.File(c.message));
        }
    }
}

// Random damage is the fuzz target's (tests/io/fuzz, run by tools/fuzz).
TEST(OpenFailure, DamagedPairsReadOrAreRefused)
{
    // Of two damaged large files, large enough for their numbers to be read side by side, the problem file is told.
    ProblemModel good = testing::MakeMixedModel({300, 250}, 3);
    std::string problem = ProblemFileText(good), data = DataFileText(good);
    OpenedProblem opened;
    const std::string message =
        ParseProblemFiles(problem.substr(0, problem.size() - 100), data.substr(0, data.size() - 100), "p", opened)
            .message;
    EXPECT_TRUE(message.starts_with("p, line ") && message.ends_with("of the 75000 coefficients")) << message;

    good = testing::MakeMixedModel({3, 2, 2}, 21);
    problem = ProblemFileText(good);
    data = DataFileText(good);
    int accepted = 0, refused = 0;
    const auto check = [&](const std::string& p, const std::string& d) {
        const FileOutcome outcome = ParseProblemFiles(p, d, "p", opened);
        ++(outcome.ok ? accepted : refused);
        if (!outcome.ok) {
            EXPECT_TRUE(outcome.message.starts_with("p")) << outcome.message;
            return;
        }
        // What was accepted is a problem the rest of the program can work with: it saves, and reads back.
        ASSERT_TRUE(opened.model.lastVar >= 0 && opened.model.lastVar <= 3);
        if (CheckSavable(opened.model, "p").ok) {
            EXPECT_TRUE(ParseProblemFiles(ProblemFileText(opened.model), DataFileText(opened.model), "p", opened).ok);
        }
    };
    for (std::size_t length = 0; length < problem.size(); ++length)
        check(problem.substr(0, length), data);
    for (std::size_t length = 0; length < data.size(); ++length)
        check(problem, data.substr(0, length));

    EXPECT_GT(accepted, 0);
    EXPECT_GT(refused, 0);
}

std::size_t EntryCount(const std::string& directory)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(directory), fs::directory_iterator()));
}

class SaveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing::WriteBytes(path_, "old problem");
        testing::WriteBytes(path_ + ".dat", "old data");
    }

    void ExpectFailedKeepingTheOldPair(const FileOutcome& outcome, const std::string& message)
    {
        EXPECT_EQ(outcome.message, message);
        EXPECT_EQ(testing::ReadBytes(path_), "old problem");
        EXPECT_EQ(testing::ReadBytes(path_ + ".dat"), "old data");
        EXPECT_EQ(EntryCount(dir_.path()), 2u) << "a temporary file was left behind";
        EXPECT_EQ(model_.Var(0).storedValueUpper, 0);
    }

    testing::TempDir dir_;
    std::string path_ = dir_.File("p");
    ProblemModel model_ = testing::MakeMixedModel({3, 4}, 5);
};

TEST_F(SaveTest, ReplacesBothFilesKeepingTheirPermissionsAndRecordsTheStoredCounts)
{
    const fs::perms perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(path_, perms);
    ASSERT_EQ(SaveProblemFiles(model_, path_).message, "");
    EXPECT_EQ(testing::ReadBytes(path_), ProblemFileText(model_));
    EXPECT_EQ(testing::ReadBytes(path_ + ".dat"), DataFileText(model_));
    EXPECT_EQ(fs::status(path_).permissions(), perms);
    EXPECT_EQ(testing::EachVariable(model_, &Variable::storedValueUpper), (PerVariable<int>{2, 3, 0, 0}));
    EXPECT_EQ(EntryCount(dir_.path()), 2u);
}

TEST_F(SaveTest, ASymbolicLinkStaysALinkToTheNewContent)
{
    fs::create_directory(dir_.File("real"));
    testing::WriteBytes(dir_.File("real/p"), "old problem");
    fs::remove(path_);
    fs::create_symlink(dir_.File("real/p"), path_);
    ASSERT_TRUE(SaveProblemFiles(model_, path_).ok);
    EXPECT_TRUE(fs::is_symlink(path_));
    EXPECT_EQ(testing::ReadBytes(dir_.File("real/p")), ProblemFileText(model_));
    EXPECT_EQ(EntryCount(dir_.File("real")), 1u);
}

TEST_F(SaveTest, EveryFailureKeepsTheOldPair)
{
    ExpectFailedKeepingTheOldPair(SaveProblemFiles(model_, dir_.File("no/such/p")),
                                  dir_.File("no/such/p.dat: cannot write: No such file or directory"));
    ProblemModel quoted = model_;
    quoted.Var(1).name = "say \"y\"";
    ExpectFailedKeepingTheOldPair(SaveProblemFiles(quoted, path_),
                                  path_ + ": cannot save: the name of variable 2 holds a double quote or a line "
                                          "end, which the file cannot keep");
    ProblemModel oneValue = testing::MakeExampleModel();
    oneValue.Var(0).valueUpper = 0;
    oneValue.ShapeTablesFromValueCounts();
    EXPECT_FALSE(SaveProblemFiles(oneValue, path_).ok);

    // A file size limit fails the writes as a full disk would.
    struct rlimit old {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    FileOutcome outcome = SaveProblemFiles(model_, path_);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    ExpectFailedKeepingTheOldPair(outcome, path_ + ".dat: cannot write: File too large");

    if (::geteuid() == 0)
        return; // permissions do not bind the superuser
    fs::permissions(dir_.path(), fs::perms::owner_read | fs::perms::owner_exec);
    outcome = SaveProblemFiles(model_, path_);
    fs::permissions(dir_.path(), fs::perms::owner_all);
    ExpectFailedKeepingTheOldPair(outcome, path_ + ".dat: cannot write: Permission denied");
}

TEST_F(SaveTest, FailingSecondRenamePutsTheFirstFileBackOrRemovesIt)
{
    // The problem file's name is taken by a directory: the data file has been
    // renamed into place when the problem file's rename fails.
    for (const bool hadData : {true, false}) {
        fs::remove_all(path_);
        fs::create_directory(path_);
        testing::WriteBytes(path_ + "/inside", "x");
        if (!hadData)
            fs::remove(path_ + ".dat");
        const FileOutcome outcome = SaveProblemFiles(model_, path_);
        EXPECT_EQ(outcome.message.rfind(path_ + ": cannot write: ", 0), 0u) << outcome.message;
        EXPECT_EQ(testing::ReadBytes(path_ + ".dat"), hadData ? "old data" : "");
        EXPECT_EQ(EntryCount(dir_.path()), hadData ? 2u : 1u);
    }
}

TEST_F(SaveTest, NextSaveRemovesWhatKilledSavesLeftButNotWhatARunningSaveHolds)
{
    // A save killed (kill -9) while it wrote its temporary files.
    if (const pid_t child = ::fork(); child == 0) {
        FileReplacement killed;
        killed.Stage(path_ + ".dat", std::string(1 << 20, 'x'));
        killed.Stage(path_, std::string(1 << 20, 'y'));
        ::kill(::getpid(), SIGKILL);
    } else {
        int status = 0;
        ASSERT_TRUE(child > 0 && ::waitpid(child, &status, 0) == child && WIFSIGNALED(status));
    }
    EXPECT_EQ(EntryCount(dir_.path()), 4u);

    // A save of the same pair still running, and files that only look alike.
    FileReplacement running;
    ASSERT_TRUE(running.Stage(path_, std::string("running")).ok);
    for (const char* unrelated : {".p.tmp-notours", ".q.tmp-0123456789abcdef", ".p.tmp-0123456789abcdef0"})
        testing::WriteBytes(dir_.File(unrelated), "keep");
    ASSERT_TRUE(SaveProblemFiles(model_, path_).ok);
    EXPECT_EQ(EntryCount(dir_.path()), 2u + 1u + 3u) << "the pair, the running save's file, the unrelated ones";
    ASSERT_TRUE(running.Commit().ok);
    EXPECT_EQ(testing::ReadBytes(path_), "running");
    EXPECT_EQ(EntryCount(dir_.path()), 2u + 3u);
}

} // namespace
} // namespace tavex
