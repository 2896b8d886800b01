#include "model/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <random>

namespace tavex {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(LeadingNumber, SkipsBlanksAnywhereAndReadsNothingAsZero)
{
    const std::pair<const char*, double> cases[] = {
        {"1 2", 12},  {"3 variables", 3}, {"  -  4 . 5", -4.5}, {"2 e 3", 2000}, {"\t\n8", 8}, {"12\r\n", 12},
        {"abc", 0},   {"", 0},            {"1,000", 1},         {"*", 0},        {"-inf", 0}, {"0x10", 0},
        {"1e400", kInf}, {"6.28318530717959", 6.28318530717959},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(LeadingNumber(text), value) << '"' << text << '"';
    EXPECT_TRUE(std::signbit(LeadingNumber("-1e-400"))); // underflow keeps the sign
}

TEST(LeadingNumber, IgnoresTheProcessLocale)
{
    // A locale with a decimal comma, where one is installed: reading and writing must not change.
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE", "C"})
        if (std::setlocale(LC_NUMERIC, name))
            break;
    EXPECT_EQ(LeadingNumber("1.5"), 1.5);
    EXPECT_EQ(TextOfNumber(1.5), "1.5");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(IndexFromText, RoundsHalvesToEvenAndSaturates)
{
    const std::pair<const char*, std::int64_t> cases[] = {
        {"2.5", 2}, {"3.5", 4}, {"-2.5", -2}, {"1.4", 1}, {"1.6", 2}, {"abc", 0},
        {"1e300", std::numeric_limits<std::int64_t>::max()}, {"-1e300", std::numeric_limits<std::int64_t>::min()},
    };
    for (const auto& [text, index] : cases)
        EXPECT_EQ(IndexFromText(text), index) << text;
    EXPECT_EQ(RoundHalfEven(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(TextOfNumber, ShortestFormWithFifteenDigits)
{
    const std::pair<double, const char*> cases[] = {
        {0, "0"}, {-0.0, "0"}, {-1.5, "-1.5"}, {0.5, "0.5"}, {0.1 + 0.2, "0.3"}, {2.0 / 3, "0.666666666666667"},
        {123456789012345, "123456789012345"}, {1e15, "1E+15"}, {1234567890123456, "1.23456789012346E+15"},
        {1e-4, "0.0001"}, {1.5e-5, "1.5E-05"}, {1e100, "1E+100"}, {-2.5e-300, "-2.5E-300"},
        {999999999999999.9, "1E+15"}, {0.000099999999999999999, "0.0001"}, {5e-324, "4.94065645841247E-324"},
        {std::numeric_limits<double>::max(), "1.79769313486232E+308"}, {kInf, "inf"}, {-kInf, "-inf"},
        {std::numeric_limits<double>::quiet_NaN(), "nan"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(TextOfNumber(value), text);
}

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
