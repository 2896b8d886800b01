// Damaged pairs: every truncation and many random mutations of a good pair
// must either read or be refused with a message; nothing may crash, hang or
// claim memory the files cannot fill.
#include "example_problems.h"
#include "io/problem_file_reader.h"
#include "io/problem_file_writer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>

namespace tavex {
namespace {

// The bytes a mutation puts in: the ones that mean something to the reader,
// and any byte at all.
constexpr char kMeaningfulBytes[] = " ,\r\n\"#*-+.eE0123456789TRUEFALSinf";

class ReaderFuzzTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const ProblemModel model = testing::MakeMixedModel({3, 2, 2}, 21);
        problem_ = ProblemFileText(model);
        data_ = DataFileText(model);
    }

    // Parses, and checks that a refusal says where.
    void Check(const std::string& problem, const std::string& data)
    {
        OpenedProblem opened;
        const FileOutcome outcome = ParseProblemFiles(problem, data, "p", opened);
        if (outcome.ok) {
            // What was accepted is a problem the rest of the program can work
            // with: it saves again, and reads back the same.
            const ProblemModel& model = opened.model;
            ASSERT_GE(model.lastVar, 0);
            ASSERT_LE(model.lastVar, 3);
            ASSERT_EQ(model.varName.size(), static_cast<std::size_t>(model.lastVar) + 1);
            if (CheckSavable(model, "p").ok) {
                OpenedProblem again;
                ASSERT_TRUE(ParseProblemFiles(ProblemFileText(model), DataFileText(model), "p", again).ok);
                EXPECT_EQ(again.model.funTable.extents(), model.funTable.extents());
            }
            ++accepted_;
        } else {
            EXPECT_EQ(outcome.message.rfind("p", 0), 0u) << outcome.message;
            ++refused_;
        }
    }

    std::string problem_;
    std::string data_;
    int accepted_ = 0;
    int refused_ = 0;
};

TEST_F(ReaderFuzzTest, EveryTruncationOfEitherFile)
{
    for (std::size_t length = 0; length < problem_.size(); ++length)
        Check(problem_.substr(0, length), data_);
    for (std::size_t length = 0; length < data_.size(); ++length)
        Check(problem_, data_.substr(0, length));
    EXPECT_GT(refused_, 0);
}

TEST_F(ReaderFuzzTest, RandomMutationsOfBothFiles)
{
    std::mt19937 gen(1234);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    constexpr int kRounds = 20000;
    for (int round = 0; round < kRounds && std::chrono::steady_clock::now() < deadline; ++round) {
        std::string problem = problem_;
        std::string data = data_;
        const int edits = std::uniform_int_distribution<int>(1, 4)(gen);
        for (int e = 0; e < edits; ++e) {
            std::string& target = gen() % 3 == 0 ? data : problem;
            if (target.empty())
                continue;
            const std::size_t at = gen() % target.size();
            const char byte = gen() % 2 == 0 ? kMeaningfulBytes[gen() % (sizeof kMeaningfulBytes - 1)]
                                             : static_cast<char>(gen() % 256);
            switch (gen() % 4) {
            case 0: target[at] = byte; break;
            case 1: target.insert(at, 1, byte); break;
            case 2: target.erase(at, 1 + gen() % 8); break;
            default: target.insert(at, std::to_string(gen())); break; // a count may become huge
            }
        }
        Check(problem, data);
    }
    EXPECT_GT(accepted_, 0);
    EXPECT_GT(refused_, 0);
}

} // namespace
} // namespace tavex
