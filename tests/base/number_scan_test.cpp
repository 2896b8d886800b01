#include "base/number_scan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tavex {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct ScanCase {
    const char* text;
    bool blanksInside;
    const char* group;
    bool found;
    std::size_t end;
    double value;
};

// Every reader of numbers goes through this one scanner: a drift in any
// rule shows here.
TEST(ScanNumber, ReadsTheNumberAtTheStart)
{
    const ScanCase cases[] = {
        {"12.5e-1x", false, "", true, 7, 1.25},
        {"-.5", false, "", true, 3, -0.5},
        {"+7", false, "", true, 2, 7.0},
        {"5.", false, "", true, 2, 5.0},
        {"1e", false, "", true, 1, 1.0},     // an exponent without digits is not part of it
        {"1e+", false, "", true, 1, 1.0},
        {"2E3", false, "", true, 3, 2000.0},
        {"1.5.3", false, "", true, 3, 1.5},
        {".", false, "", false, 0, 0.0},
        {"-", false, "", false, 0, 0.0},
        {"e5", false, "", false, 0, 0.0},
        {"inf", false, "", false, 0, 0.0},
        {"nan", false, "", false, 0, 0.0},
        {"", false, "", false, 0, 0.0},
        {" 1", false, "", false, 0, 0.0},    // no blank before it unless allowed
        {" 1 2 . 5 e 1", true, "", true, 12, 125.0},
        {"- 3", true, "", true, 3, -3.0},
        {"1e x", true, "", true, 1, 1.0},
        {"1e999", false, "", true, 5, kInf},
        {"-1e999", false, "", true, 6, -kInf},
        {"1e-999", false, "", true, 6, 0.0},
        {"1,000.5", false, ",", true, 7, 1000.5},
        {",1", false, ",", false, 0, 0.0},
        {"1,", false, ",", true, 1, 1.0},
        {"1.000,5", false, ",", true, 5, 1.0}, // no group separator after the point
        {"1,000", false, "", true, 1, 1.0},
    };
    for (const ScanCase& c : cases) {
        const NumberScan scan = ScanNumber(c.text, {.blanksInside = c.blanksInside, .groupSeparator = c.group});
        EXPECT_EQ(scan.found, c.found) << c.text;
        EXPECT_EQ(scan.end, c.end) << c.text;
        EXPECT_EQ(scan.value, c.value) << c.text;
    }
}

TEST(ScanNumber, WholeNumberAllowsBlanksAroundOnlyWithBlanksInside)
{
    EXPECT_TRUE(IsWholeNumber("1.5e3"));
    EXPECT_FALSE(IsWholeNumber("1.5e"));
    EXPECT_FALSE(IsWholeNumber("2 "));
    EXPECT_TRUE(IsWholeNumber(" 2 ", {.blanksInside = true, .groupSeparator = {}}));
    EXPECT_FALSE(IsWholeNumber("2x", {.blanksInside = true, .groupSeparator = {}}));
}

} // namespace
} // namespace tavex
