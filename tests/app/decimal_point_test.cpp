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

TEST(DecimalPoint, AnythingButAPointIsAskedAboutAndWrittenBackAtExit)
{
    using Writes = std::vector<std::string>;
    struct Case {
        const char* separator; // a middle dot, an apostrophe, an unreadable setting (empty)
        WarningAnswer answer;
        bool goesOn;
        int asked;
        Writes writes; // at the check, then at exit
    };
    const Case cases[] = {
        {",", WarningAnswer::Yes, true, 1, {".", ","}},
        {",", WarningAnswer::No, false, 1, {}},
        {",", WarningAnswer::Cancel, false, 1, {}},
        {".", WarningAnswer::No, true, 0, {"."}},
        {"\u00b7", WarningAnswer::Yes, true, 1, {".", "\u00b7"}},
        {"'", WarningAnswer::Yes, true, 1, {".", "'"}},
        {"", WarningAnswer::Yes, true, 1, {".", ""}},
    };
    for (const Case& c : cases) {
        FakeSetting setting(c.separator);
        Asked asked;
        const auto saved = CheckDecimalPoint(setting, Answering(c.answer, asked));
        EXPECT_EQ(saved.has_value(), c.goesOn) << c.separator;
        EXPECT_EQ(asked.times, c.asked) << c.separator;
        if (c.asked > 0) {
            EXPECT_EQ(asked.title, "Decimal Comma Warning!");
            EXPECT_EQ(asked.prompt, DecimalCommaPrompt());
        }
        if (saved)
            RestoreDecimalSeparator(setting, *saved);
        EXPECT_EQ(setting.writes, c.writes) << c.separator;
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
