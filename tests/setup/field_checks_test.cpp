#include "setup/field_checks.h"

#include "model/number_text.h"

#include <gtest/gtest.h>

namespace tavex {
namespace {

const NumberFormat kCommaGroups{","};
const NumberFormat kNoGroups{};

TEST(FieldChecks, NumbersInTheUserFormat)
{
    for (const char* text : {"0", "-5", "+5", "5.", ".5", "-0.25", "1e3", "1E-3", "2.5e+10", " 7 ", "\t7",
                             "1,000", "12,345,678.5", "1,0"})
        EXPECT_TRUE(IsNumberInUserFormat(text, kCommaGroups)) << '"' << text << '"';
}

TEST(FieldChecks, TextsThatAreNotOneNumber)
{
    for (const char* text : {"", " ", "-", "+", ".", "e5", "1e", "1e+", "abc", "5 x", "1 2", "--5", "1.2.3",
                             ",5", "5,", "1,,000", "1,.5", "1.5,000", "1e400", "-1e400", "inf", "nan",
                             "0x10", "1d3"})
        EXPECT_FALSE(IsNumberInUserFormat(text, kCommaGroups)) << '"' << text << '"';
}

TEST(FieldChecks, GroupSeparatorFollowsTheUserFormat)
{
    EXPECT_FALSE(IsNumberInUserFormat("1,000", kNoGroups));
    EXPECT_TRUE(IsNumberInUserFormat("1 000", NumberFormat{" "}));
    EXPECT_TRUE(IsNumberInUserFormat("1\u202f000", NumberFormat{"\u202f"}));
    EXPECT_TRUE(IsNumberInUserFormat("1'000.5", NumberFormat{"'"}));
    // Once "." is the decimal point it cannot also group digits.
    EXPECT_TRUE(IsNumberInUserFormat("1.5", NumberFormat{"."}));
    EXPECT_FALSE(IsNumberInUserFormat("1.000.000", NumberFormat{"."}));
}

TEST(FieldChecks, GroupedLimitPassesButReadsAsItsLeadingNumber)
{
    EXPECT_TRUE(IsAcceptableLimit("1,000", kCommaGroups));
    EXPECT_EQ(LeadingNumber("1,000"), 1.0);
}

TEST(FieldChecks, ValueCountNeedsTwoValues)
{
    for (const char* text : {"2", "2.5", "3", "1e3", "2147483648"})
        EXPECT_TRUE(IsAcceptableValueCount(text, kCommaGroups)) << text;
    for (const char* text : {"1", "1.99", "0", "-3", "abc", "", "2 values", "2147483649", "1e300"})
        EXPECT_FALSE(IsAcceptableValueCount(text, kCommaGroups)) << text;
}

} // namespace
} // namespace tavex
