#include "app/decimal_point.h"

#include <gtest/gtest.h>

#include <vector>

namespace tavex {
namespace {

class FakeSetting final : public DecimalSeparatorSetting {
public:
    explicit FakeSetting(std::string separator) : separator(std::move(separator)) {}
    std::string Read() override { return separator; }
    void Write(const std::string& s) override
    {
        separator = s;
        writes.push_back(s);
    }
    std::string separator;
    std::vector<std::string> writes;
};

struct Asked {
    int times = 0;
    std::string title, prompt;
};

AskWarning Answering(WarningAnswer answer, Asked& asked)
{
    return [answer, &asked](const std::string& title, const std::string& prompt) {
        ++asked.times;
        asked.title = title;
        asked.prompt = prompt;
        return answer;
    };
}

TEST(DecimalPoint, CommaIsSwitchedOnYesAndWrittenBackAtExit)
{
    FakeSetting setting(",");
    Asked asked;
    const auto saved = CheckDecimalPoint(setting, Answering(WarningAnswer::Yes, asked));
    ASSERT_TRUE(saved);
    EXPECT_EQ(*saved, ",");
    EXPECT_EQ(asked.times, 1);
    EXPECT_EQ(asked.title, "Decimal Comma Warning!");
    EXPECT_EQ(setting.separator, ".");

    RestoreDecimalSeparator(setting, *saved);
    EXPECT_EQ(setting.writes, (std::vector<std::string>{".", ","}));
}

TEST(DecimalPoint, NoOrCancelEndsTheProgramAndChangesNothing)
{
    for (WarningAnswer answer : {WarningAnswer::No, WarningAnswer::Cancel}) {
        FakeSetting setting(",");
        Asked asked;
        EXPECT_FALSE(CheckDecimalPoint(setting, Answering(answer, asked)));
        EXPECT_EQ(asked.times, 1);
        EXPECT_TRUE(setting.writes.empty());
    }
}

TEST(DecimalPoint, PointAsksNothingAndIsWrittenBackUnchanged)
{
    FakeSetting setting(".");
    Asked asked;
    const auto saved = CheckDecimalPoint(setting, Answering(WarningAnswer::No, asked));
    ASSERT_TRUE(saved);
    EXPECT_EQ(asked.times, 0);
    EXPECT_TRUE(setting.writes.empty());
    RestoreDecimalSeparator(setting, *saved);
    EXPECT_EQ(setting.writes, (std::vector<std::string>{"."}));
}

TEST(DecimalPoint, AnyOtherSeparatorGetsTheSameWarning)
{
    // A middle dot, an apostrophe, and an unreadable setting (empty).
    for (const char* separator : {"\u00b7", "'", ""}) {
        FakeSetting setting(separator);
        Asked asked;
        const auto saved = CheckDecimalPoint(setting, Answering(WarningAnswer::Yes, asked));
        ASSERT_TRUE(saved);
        EXPECT_EQ(*saved, separator);
        EXPECT_EQ(asked.prompt, DecimalCommaPrompt());
        EXPECT_EQ(setting.separator, ".");
    }
}

TEST(DecimalPoint, PromptLinesEndInACarriageReturnAlone)
{
    const std::string prompt = DecimalCommaPrompt();
    EXPECT_EQ(prompt.find('\n'), std::string::npos);
    EXPECT_EQ(prompt,
              "Proper operation of this application requires the use of the DECIMAL POINT.\r"
              "Your system is currently using the DECIMAL COMMA.\r"
              "\r"
              "Do you wish to temporarily change this system setting to decimal point?\r"
              "(Upon exiting, this application will restore your setting.)\r"
              "(See HELP FILE or visit www.tavex.example for instructions on how to change MANUALLY)\r"
              "\r"
              "Press YES to change.");
}

} // namespace
} // namespace tavex
