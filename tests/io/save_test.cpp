// Save writes both files or neither: every failure leaves the old pair and
// the model as they were, and no temporary file behind.
#include "example_problems.h"
#include "io/problem_file_writer.h"
#include "io/problem_files.h"
#include "io/replace_files.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tavex {
namespace {

namespace fs = std::filesystem;

std::size_t EntryCount(const std::string& directory)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(directory), fs::directory_iterator()));
}

class SaveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path_ = dir_.File("p");
        testing::WriteBytes(path_, "old problem");
        testing::WriteBytes(path_ + ".dat", "old data");
    }

    void ExpectOldPairKept(std::size_t entries = 2)
    {
        EXPECT_EQ(testing::ReadBytes(path_), "old problem");
        EXPECT_EQ(testing::ReadBytes(path_ + ".dat"), "old data");
        EXPECT_EQ(EntryCount(dir_.path()), entries) << "a temporary file was left behind";
    }

    testing::TempDir dir_;
    std::string path_;
    ProblemModel model_ = testing::MakeMixedModel({3, 4}, 5);
};

TEST_F(SaveTest, ReplacesBothFilesAndRecordsTheStoredCounts)
{
    model_.storedValueUpper = {};
    const FileOutcome outcome = SaveProblemFiles(model_, path_);
    ASSERT_TRUE(outcome.ok) << outcome.message;
    EXPECT_EQ(testing::ReadBytes(path_), ProblemFileText(model_));
    EXPECT_EQ(testing::ReadBytes(path_ + ".dat"), DataFileText(model_));
    EXPECT_EQ(model_.storedValueUpper[0], 2);
    EXPECT_EQ(model_.storedValueUpper[1], 3);
    EXPECT_EQ(EntryCount(dir_.path()), 2u);
}

TEST_F(SaveTest, KeepsThePermissionsOfTheOldFiles)
{
    fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(SaveProblemFiles(model_, path_).ok);
    EXPECT_EQ(fs::status(path_).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
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

TEST_F(SaveTest, MissingDirectoryNamesTheFile)
{
    const std::string path = dir_.File("no/such/p");
    const FileOutcome outcome = SaveProblemFiles(model_, path);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.message, path + ".dat: cannot write: No such file or directory");
    ExpectOldPairKept();
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
        EXPECT_EQ(fs::exists(path_ + ".dat") ? testing::ReadBytes(path_ + ".dat") : "", hadData ? "old data" : "");
        EXPECT_EQ(EntryCount(dir_.path()), hadData ? 2u : 1u);
    }
}

TEST_F(SaveTest, DiskFullKeepsTheOldPair)
{
    // A file size limit fails the writes as a full disk would.
    struct rlimit old {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const FileOutcome outcome = SaveProblemFiles(model_, path_);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.message, path_ + ".dat: cannot write: File too large");
    ExpectOldPairKept();
    EXPECT_EQ(model_.storedValueUpper[0], 0);
}

TEST_F(SaveTest, ReadOnlyDirectoryIsReported)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    fs::permissions(dir_.path(), fs::perms::owner_read | fs::perms::owner_exec);
    const FileOutcome outcome = SaveProblemFiles(model_, path_);
    fs::permissions(dir_.path(), fs::perms::owner_all);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.message, path_ + ".dat: cannot write: Permission denied");
    ExpectOldPairKept();
}

TEST_F(SaveTest, RefusesWhatTheFilesCannotHold)
{
    ProblemModel quoted = model_;
    quoted.varName[1] = "say \"y\"";
    EXPECT_EQ(SaveProblemFiles(quoted, path_).message,
              path_ + ": cannot save: the name of variable 2 holds a double quote or a line end, "
                      "which the file cannot keep");
    ProblemModel oneValue = testing::MakeExampleModel();
    oneValue.valueUpper[0] = 0;
    oneValue.ShapeTablesFromValueCounts();
    EXPECT_FALSE(SaveProblemFiles(oneValue, path_).ok);
    ExpectOldPairKept();
}

TEST_F(SaveTest, NextSaveRemovesWhatKilledSavesLeftButNotWhatARunningSaveHolds)
{
    // A save killed (kill -9) while it wrote its temporary files.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        FileReplacement killed;
        killed.Stage(path_ + ".dat", std::string(1 << 20, 'x'));
        killed.Stage(path_, std::string(1 << 20, 'y'));
        ::kill(::getpid(), SIGKILL);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
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
