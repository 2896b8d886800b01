#include "base/number_scan.h"

#include <gtest/gtest.h>

#include <limits>

namespace tavex {
namespace {

// Every reader of numbers goes through this one scanner: a drift in any
// rule shows here.
TEST(ScanNumber, ReadsTheNumberAtTheStartOrAWholeText)
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    struct Case { const char* text; bool blanksInside; const char* group; std::size_t end; double value; };
    const Case cases[] = { // end 0: no number found
        {"12.5e-1x", false, "", 7, 1.25}, {"-.5", false, "", 3, -0.5}, {"+7", false, "", 2, 7.0},
        {"5.", false, "", 2, 5.0}, {"2E3", false, "", 3, 2000.0}, {"1.5.3", false, "", 3, 1.5},
        // An exponent without digits is not part of the number.
        {"1e", false, "", 1, 1.0}, {"1e+", false, "", 1, 1.0}, {"1e x", true, "", 1, 1.0},
        {".", false, "", 0, 0.0}, {"-", false, "", 0, 0.0}, {"e5", false, "", 0, 0.0}, {"", false, "", 0, 0.0},
        {"inf", false, "", 0, 0.0}, {"nan", false, "", 0, 0.0}, {" 1", false, "", 0, 0.0},
        {" 1 2 . 5 e 1", true, "", 12, 125.0}, {"- 3", true, "", 3, -3.0},
        {"1e999", false, "", 5, inf}, {"-1e999", false, "", 6, -inf}, {"1e-999", false, "", 6, 0.0},
        // A group separator only between digits of the integer part.
        {"1,000.5", false, ",", 7, 1000.5}, {",1", false, ",", 0, 0.0}, {"1,", false, ",", 1, 1.0},
        {"1.000,5", false, ",", 5, 1.0}, {"1,000", false, "", 1, 1.0},
    };
    for (const Case& c : cases) {
        const NumberScan scan = ScanNumber(c.text, {.blanksInside = c.blanksInside, .groupSeparator = c.group});
        EXPECT_EQ(scan.found, c.end > 0) << c.text;
        EXPECT_EQ(scan.end, c.end) << c.text;
        EXPECT_EQ(scan.value, c.value) << c.text;
    }
    // Blanks around a whole number only where blanks inside are allowed.
    const ScanRules blanks{.blanksInside = true, .groupSeparator = {}};
    EXPECT_TRUE(IsWholeNumber("1.5e3"));
    EXPECT_FALSE(IsWholeNumber("1.5e"));
    EXPECT_FALSE(IsWholeNumber("2 "));
    EXPECT_TRUE(IsWholeNumber(" 2 ", blanks));
    EXPECT_FALSE(IsWholeNumber("2x", blanks));
}

} // namespace
} // namespace tavex
