#include "model/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <random>

namespace tavex {
namespace {

struct LeadingCase {
    const char* text;
    double value;
};

class LeadingNumberTest : public ::testing::TestWithParam<LeadingCase> {};

TEST_P(LeadingNumberTest, ReadsTheNumberTheTextBeginsWith)
{
    EXPECT_EQ(LeadingNumber(GetParam().text), GetParam().value) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(Texts, LeadingNumberTest, ::testing::Values(
    LeadingCase{"12", 12}, LeadingCase{"1 2", 12}, LeadingCase{"3 variables", 3},
    LeadingCase{"abc", 0}, LeadingCase{"", 0}, LeadingCase{"1,000", 1}, LeadingCase{"-.5e+2x", -50},
    LeadingCase{"  -  4 . 5", -4.5}, LeadingCase{"+7", 7}, LeadingCase{"-", 0}, LeadingCase{".", 0},
    LeadingCase{"-.", 0}, LeadingCase{"--5", 0}, LeadingCase{"1.5.3", 1.5}, LeadingCase{"1e", 1},
    LeadingCase{"1e+", 1}, LeadingCase{"2E3", 2000}, LeadingCase{"2 e 3", 2000}, LeadingCase{"5.", 5},
    LeadingCase{".25", 0.25}, LeadingCase{"inf", 0}, LeadingCase{"nan", 0}, LeadingCase{"-inf", 0},
    LeadingCase{"0x10", 0}, LeadingCase{"\t\n8", 8}, LeadingCase{"12\r\n", 12}, LeadingCase{"*", 0},
    LeadingCase{"1e400", std::numeric_limits<double>::infinity()},
    LeadingCase{"-1e400", -std::numeric_limits<double>::infinity()}, LeadingCase{"1e-400", 0},
    LeadingCase{"0.1", 0.1}, LeadingCase{"6.28318530717959", 6.28318530717959}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(LeadingNumber, UnderflowKeepsTheSign)
{
    EXPECT_TRUE(std::signbit(LeadingNumber("-1e-400")));
}

TEST(LeadingNumber, IgnoresTheProcessLocale)
{
    // A locale with a decimal comma, where one is installed: reading must not change.
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE", "C"})
        if (std::setlocale(LC_NUMERIC, name))
            break;
    EXPECT_EQ(LeadingNumber("1.5"), 1.5);
    EXPECT_EQ(TextOfNumber(1.5), "1.5");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(IndexFromText, RoundsHalvesToEven)
{
    EXPECT_EQ(IndexFromText("2.5"), 2);
    EXPECT_EQ(IndexFromText("3.5"), 4);
    EXPECT_EQ(IndexFromText("-2.5"), -2);
    EXPECT_EQ(IndexFromText("1.4"), 1);
    EXPECT_EQ(IndexFromText("1.6"), 2);
    EXPECT_EQ(IndexFromText("abc"), 0);
    EXPECT_EQ(IndexFromText("1e300"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(RoundHalfEven(std::numeric_limits<double>::quiet_NaN()), 0);
}

struct TextCase {
    double value;
    const char* text;
};

class TextOfNumberTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextOfNumberTest, ShortestFormWithFifteenDigits)
{
    EXPECT_EQ(TextOfNumber(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, TextOfNumberTest, ::testing::Values(
    TextCase{0, "0"}, TextCase{-0.0, "0"}, TextCase{1, "1"}, TextCase{-1.5, "-1.5"}, TextCase{0.5, "0.5"},
    TextCase{-0.5, "-0.5"}, TextCase{0.1, "0.1"}, TextCase{0.1 + 0.2, "0.3"}, TextCase{1.0 / 3, "0.333333333333333"},
    TextCase{2.0 / 3, "0.666666666666667"}, TextCase{100, "100"}, TextCase{123456789012345, "123456789012345"},
    TextCase{1e15, "1E+15"}, TextCase{1234567890123456, "1.23456789012346E+15"}, TextCase{1e-4, "0.0001"},
    TextCase{1.5e-5, "1.5E-05"}, TextCase{1e100, "1E+100"}, TextCase{-2.5e-300, "-2.5E-300"},
    TextCase{999999999999999.9, "1E+15"}, TextCase{0.000099999999999999999, "0.0001"},
    TextCase{6.283185307179586, "6.28318530717959"}, TextCase{5e-324, "4.94065645841247E-324"},
    TextCase{std::numeric_limits<double>::max(), "1.79769313486232E+308"},
    TextCase{std::numeric_limits<double>::infinity(), "inf"},
    TextCase{-std::numeric_limits<double>::infinity(), "-inf"},
    TextCase{std::numeric_limits<double>::quiet_NaN(), "nan"}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(TextOfNumber, ReadingTheTextBackRoundsToFifteenDigits)
{
    std::mt19937_64 gen(42);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-300, 300);
    char expected[64];
    for (int trial = 0; trial < 20000; ++trial) {
        const double x = std::ldexp(mantissa(gen), exponent(gen));
        const std::string text = TextOfNumber(x);
        std::snprintf(expected, sizeof expected, "%.14e", x);
        EXPECT_EQ(LeadingNumber(text), std::strtod(expected, nullptr)) << text;
        // And the text is a fixed point: shown, stored and shown again, it stays.
        EXPECT_EQ(TextOfNumber(LeadingNumber(text)), text);
    }
}

} // namespace
} // namespace tavex
