// The two encodings of the files: number lines and comma records, written
// and read back field by field.
#include "io/comma_record.h"
#include "io/field_reader.h"
#include "io/number_field.h"
#include "io/number_line.h"
#include "model/number_text.h"

#include <gtest/gtest.h>

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

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(NumberLine, BlankBeforeUnlessNegativeBlankAfterCrLf)
{
    const std::pair<double, const char*> cases[] = {
        {0.0, " 0 \r\n"},        {-0.0, " 0 \r\n"},           {-1.5, "-1.5 \r\n"},
        {1e20, " 1E+20 \r\n"},   {-1.5e-5, "-1.5E-05 \r\n"}, {8.0 * std::atan(1.0), " 6.28318530717959 \r\n"},
        {kInf, " inf \r\n"},     {-kInf, "-inf \r\n"},
    };
    for (const auto& [value, line] : cases) {
        std::string out;
        AppendNumberLine(out, value);
        EXPECT_EQ(out, line);
    }
}

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

TEST(NumberText, SameTextAsCsFifteenDigitConversion)
{
    for (const double v : {1e-5, 1e-4, 9.99999999999999e-5, 1e14, 1e15, 999999999999999.4, 999999999999999.6,
                           9.9999999999999995e14, 1.7976931348623157e308, std::numeric_limits<double>::min(),
                           std::numeric_limits<double>::denorm_min()})
        ExpectSameText(v);
    std::mt19937_64 gen(42);
    for (int i = 0; i < 200000; ++i) {
        // Any bit pattern: every exponent, subnormals, and the values needing 17 digits.
        ExpectSameText(std::bit_cast<double>(gen()));
        // Short decimals, whose shortest form has fewer than 15 digits.
        ExpectSameText(static_cast<double>(static_cast<std::int64_t>(gen() % 2000000000) - 1000000000)
                       * std::pow(10.0, static_cast<int>(gen() % 40) - 20));
        // Values near a carry in the 15th digit.
        ExpectSameText(std::nextafter(9.999999999999995 * std::pow(10.0, static_cast<int>(gen() % 30) - 15),
                                      gen() % 2 ? 0.0 : 1e300));
    }
}

TEST(CommaRecord, TextNumbersAndBooleansWithoutBlanks)
{
    std::string out;
    CommaRecord(out).Text("x").Number(0).Number(2).Number(1).Boolean(true).Number(-0.5).Number(2).End();
    CommaRecord(out).Boolean(false).End();
    EXPECT_EQ(out, "\"x\",0,2,1,#TRUE#,-0.5,2\r\n#FALSE#\r\n");
}

TEST(FieldReader, CommasAndLineEndsAlikeEndAField)
{
    using Fields = std::vector<std::string>;
    const std::pair<const char*, Fields> cases[] = {
        {" 0 \r\n 1.5 \r\n-2 \r\n", {"0", "1.5", "-2"}}, {"0\r1.5\r-2\r", {"0", "1.5", "-2"}},
        {"  \t0 ,  1.5\t\r\n-2", {"0", "1.5", "-2"}},    {"0,\r\n1", {"0", "", "1"}},
        {"1 2", {"1", "2"}},                              {"1\r\n\r\n2", {"1", "", "2"}},
        {"1\r\n\r\n \r\n", {"1"}},                        {" \r\n\t\n", {}},
    };
    for (const auto& [text, fields] : cases) {
        FieldReader reader(text);
        Fields read;
        while (!reader.AtEnd())
            read.emplace_back(reader.NumberField());
        EXPECT_EQ(read, fields) << text;
    }
}

TEST(FieldReader, QuotedAndUnquotedTextAndTheLineOfAnUnclosedQuote)
{
    FieldReader reader("\"a, b\" ,  plain text  ,\"\",\"q\"junk,last\r\n");
    for (const char* text : {"a, b", "plain text", "", "q", "last"})
        EXPECT_EQ(reader.TextField(), text);
    EXPECT_TRUE(reader.AtEnd());

    FieldReader unclosed(" 0 \r\n\"x,0,2\r\n");
    unclosed.NumberField();
    try {
        unclosed.TextField();
        FAIL() << "an unclosed quote was read";
    } catch (const FieldError& error) {
        EXPECT_EQ(error.line(), 2);
    }
}

TEST(FieldReader, CountsLinesOfEveryKindOfLineEnd)
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

TEST(FieldReader, NextNumberIsTheNumberFieldsValue)
{
    // The reader's quick way and the field read as text must agree everywhere.
    for (const char* text : {" 1.5 \r\n-2 \r\n", "1e5x,1.5e,.5,-.5,5.,-", "inf,-inf,nan,infinity,-infinity",
                             "+3 4,,\r\n\r\n7", "1E+400,-1e-400,0x10", "1 2\t3\r4\n", "abc,2abc,\"5\""}) {
        FieldReader quick(text);
        FieldReader plain(text);
        double value = 0.0;
        while (quick.NextNumber(value)) {
            ASSERT_FALSE(plain.AtEnd());
            const double expected = NumberFromField(plain.NumberField());
            EXPECT_TRUE(value == expected || (std::isnan(value) && std::isnan(expected))) << text;
            EXPECT_EQ(quick.line(), plain.line());
        }
        EXPECT_TRUE(plain.AtEnd());
    }
}

TEST(NumberField, LeadingNumberAndTheWordsOfNonFiniteValues)
{
    const std::pair<const char*, double> cases[] = {
        {"1.5", 1.5}, {"2abc", 2.0}, {"abc", 0.0}, {"", 0.0}, {"1E+400", kInf}, {"inf", kInf}, {"-inf", -kInf},
        {"infinity", 0.0},
    };
    for (const auto& [field, value] : cases)
        EXPECT_EQ(NumberFromField(field), value) << field;
    EXPECT_TRUE(std::isnan(NumberFromField("nan")));
}

} // namespace
} // namespace tavex
