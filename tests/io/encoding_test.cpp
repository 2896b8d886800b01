// The two encodings of the files: number lines and comma records, written
// and read back field by field.
#include "base/number_scan.h"
#include "io/comma_record.h"
#include "io/field_reader.h"
#include "io/number_field.h"
#include "io/number_line.h"

#include <gtest/gtest.h>

#include "model/number_text.h"

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace tavex {
namespace {

struct NumberLineCase {
    double value;
    const char* line;
};

class NumberLineTest : public ::testing::TestWithParam<NumberLineCase> {};

TEST_P(NumberLineTest, BlankBeforeUnlessNegativeBlankAfterCrLf)
{
    std::string out;
    AppendNumberLine(out, GetParam().value);
    EXPECT_EQ(out, GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(Values, NumberLineTest, ::testing::Values(
    NumberLineCase{0.0, " 0 \r\n"},
    NumberLineCase{-0.0, " 0 \r\n"},
    NumberLineCase{2.0, " 2 \r\n"},
    NumberLineCase{-1.5, "-1.5 \r\n"},
    NumberLineCase{0.25, " 0.25 \r\n"},
    NumberLineCase{1e20, " 1E+20 \r\n"},
    NumberLineCase{-1.5e-5, "-1.5E-05 \r\n"},
    NumberLineCase{8.0 * std::atan(1.0), " 6.28318530717959 \r\n"},
    NumberLineCase{std::numeric_limits<double>::infinity(), " inf \r\n"},
    NumberLineCase{-std::numeric_limits<double>::infinity(), "-inf \r\n"}));

// The standard text against C's %.15G, which lays out finite nonzero numbers
// the same way: 15 significant digits, trailing zeros dropped, exponent form
// below 1E-04 and from 1E+15 on.
void ExpectSameText(double value)
{
    if (!std::isfinite(value) || value == 0.0)
        return;
    char expected[64];
    std::snprintf(expected, sizeof expected, "%.15G", value);
    EXPECT_EQ(TextOfNumber(value), expected) << "bits " << std::bit_cast<std::uint64_t>(value);
}

TEST(NumberTextTest, SameTextAsCsFifteenDigitConversion)
{
    for (const double v : {0.0, -0.0, 1.0, -1.0, 0.1, 0.5, 1e-5, 1e-4, 9.99999999999999e-5, 1e14, 1e15,
                           999999999999999.0, 999999999999999.4, 999999999999999.6, 9.9999999999999995e14,
                           0.30000000000000004, 2.0 / 3.0, 8.0 * std::atan(1.0), 1.5e-300, 1.7976931348623157e308,
                           std::numeric_limits<double>::min(), std::numeric_limits<double>::denorm_min(),
                           std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()})
        ExpectSameText(v);

    std::mt19937_64 gen(42);
    for (int i = 0; i < 200000; ++i) {
        // Any bit pattern: every exponent, subnormals, and the values needing 17 digits.
        ExpectSameText(std::bit_cast<double>(gen()));
        // Short decimals, whose shortest form has fewer than 15 digits.
        const double decimal = static_cast<double>(static_cast<std::int64_t>(gen() % 2000000000) - 1000000000)
                             * std::pow(10.0, static_cast<int>(gen() % 40) - 20);
        ExpectSameText(decimal);
        // Values near a carry in the 15th digit.
        ExpectSameText(std::nextafter(9.999999999999995 * std::pow(10.0, static_cast<int>(gen() % 30) - 15),
                                      gen() % 2 ? 0.0 : 1e300));
    }
}

TEST(CommaRecordTest, TextNumbersAndBooleansWithoutBlanks)
{
    std::string out;
    CommaRecord(out).Text("x").Number(0).Number(2).Number(1).Boolean(true).Number(-0.5).Number(2).End();
    CommaRecord(out).Boolean(false).End();
    EXPECT_EQ(out, "\"x\",0,2,1,#TRUE#,-0.5,2\r\n#FALSE#\r\n");
}

// Reads every field of the text as a number field.
std::vector<std::string> NumberFields(const std::string& text)
{
    FieldReader reader(text);
    std::vector<std::string> fields;
    while (!reader.AtEnd())
        fields.emplace_back(reader.NumberField());
    return fields;
}

struct SeparatorCase {
    const char* text;
    std::vector<std::string> fields;
};

class FieldSeparatorTest : public ::testing::TestWithParam<SeparatorCase> {};

TEST_P(FieldSeparatorTest, CommasAndLineEndsAlikeEndAField)
{
    EXPECT_EQ(NumberFields(GetParam().text), GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(Texts, FieldSeparatorTest, ::testing::Values(
    SeparatorCase{" 0 \r\n 1.5 \r\n-2 \r\n", {"0", "1.5", "-2"}},
    SeparatorCase{"0\n1.5\n-2", {"0", "1.5", "-2"}},
    SeparatorCase{"0\r1.5\r-2\r", {"0", "1.5", "-2"}},
    SeparatorCase{"0,1.5,-2", {"0", "1.5", "-2"}},
    SeparatorCase{"  \t0 ,  1.5\t\r\n-2", {"0", "1.5", "-2"}},
    SeparatorCase{"0,\r\n1", {"0", "", "1"}},
    SeparatorCase{"1 2", {"1", "2"}},
    SeparatorCase{"1,,2", {"1", "", "2"}},
    SeparatorCase{"1\r\n\r\n2", {"1", "", "2"}},
    SeparatorCase{"1\r\n\r\n \r\n", {"1"}},
    SeparatorCase{"", {}},
    SeparatorCase{" \r\n\t\n", {}}));

TEST(FieldReaderTest, QuotedAndUnquotedText)
{
    FieldReader reader("\"a, b\" ,  plain text  ,\"\",\"q\"junk,last\r\n");
    EXPECT_EQ(reader.TextField(), "a, b");
    EXPECT_EQ(reader.TextField(), "plain text");
    EXPECT_EQ(reader.TextField(), "");
    EXPECT_EQ(reader.TextField(), "q");
    EXPECT_EQ(reader.TextField(), "last");
    EXPECT_TRUE(reader.AtEnd());
}

TEST(FieldReaderTest, UnclosedQuoteIsAFaultOfItsLine)
{
    FieldReader reader(" 0 \r\n\"x,0,2\r\n");
    reader.NumberField();
    try {
        reader.TextField();
        FAIL() << "an unclosed quote was read";
    } catch (const FieldError& error) {
        EXPECT_EQ(error.line(), 2);
    }
}

TEST(FieldReaderTest, CountsLinesOfEveryKindOfLineEnd)
{
    FieldReader reader("a\r\nb\nc\rd");
    for (int expected = 1; expected <= 4; ++expected) {
        ASSERT_FALSE(reader.AtEnd());
        EXPECT_EQ(reader.line(), expected);
        reader.TextField();
    }
    EXPECT_EQ(reader.LastLine(), 4);
    EXPECT_EQ(FieldReader(" 1 \r\n 2 \r\n\r\n").LastLine(), 2);
}

class NextNumberTest : public ::testing::TestWithParam<const char*> {};

TEST_P(NextNumberTest, SameValueAsTheFieldReadAsText)
{
    const std::string text = GetParam();
    FieldReader fast(text);
    FieldReader plain(text);
    double value = 0.0;
    while (fast.NextNumber(value)) {
        ASSERT_FALSE(plain.AtEnd());
        const double expected = NumberFromField(plain.NumberField());
        if (std::isnan(expected))
            EXPECT_TRUE(std::isnan(value));
        else
            EXPECT_EQ(value, expected) << text;
        EXPECT_EQ(fast.line(), plain.line());
    }
    EXPECT_TRUE(plain.AtEnd());
}

INSTANTIATE_TEST_SUITE_P(Texts, NextNumberTest, ::testing::Values(
    " 1.5 \r\n-2 \r\n", "1e5x,1.5e,.5,-.5,5.,-", "inf,-inf,nan,infinity,-infinity", "+3 4,,\r\n\r\n7",
    "1E+400,-1e-400,0x10", "1 2\t3\r4\n", "abc,2abc,\"5\"", "-0,0.000,1e0001"));

struct WholeNumberCase {
    const char* field;
    bool whole;
};

class WholeNumberTest : public ::testing::TestWithParam<WholeNumberCase> {};

TEST_P(WholeNumberTest, CountsMustBeNumbersThroughout)
{
    EXPECT_EQ(IsWholeNumber(GetParam().field), GetParam().whole) << GetParam().field;
}

INSTANTIATE_TEST_SUITE_P(Fields, WholeNumberTest, ::testing::Values(
    WholeNumberCase{"2", true}, WholeNumberCase{"-1", true}, WholeNumberCase{"+3", true},
    WholeNumberCase{"2.5", true}, WholeNumberCase{".5", true}, WholeNumberCase{"5.", true},
    WholeNumberCase{"1E+1", true}, WholeNumberCase{"1e3", true},
    WholeNumberCase{"", false}, WholeNumberCase{"-", false}, WholeNumberCase{".", false},
    WholeNumberCase{"abc", false}, WholeNumberCase{"3x", false}, WholeNumberCase{"1e", false},
    WholeNumberCase{"1e+", false}, WholeNumberCase{"inf", false}, WholeNumberCase{"nan", false},
    WholeNumberCase{"#TRUE#", false}));

TEST(NumberFieldTest, LeadingNumberAndTheWordsOfNonFiniteValues)
{
    EXPECT_EQ(NumberFromField("1.5"), 1.5);
    EXPECT_EQ(NumberFromField("2abc"), 2.0);
    EXPECT_EQ(NumberFromField("abc"), 0.0);
    EXPECT_EQ(NumberFromField(""), 0.0);
    EXPECT_EQ(NumberFromField("1E+400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(NumberFromField("inf"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(NumberFromField("-inf"), -std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(NumberFromField("nan")));
    EXPECT_EQ(NumberFromField("infinity"), 0.0);
}

} // namespace
} // namespace tavex
