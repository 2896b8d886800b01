#include "model/model_invariants.h"
#include "model/number_text.h"
#include "model/problem_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <numeric>
#include <random>
#include <stdexcept>
#include <thread>

namespace tavex {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// Number texts read the same in every locale: the C library's decimal comma
// must not reach them.
void ExpectNumberTextsRead()
{
    const std::pair<const char*, double> cases[] = {
        {"1 2", 12},  {"3 variables", 3}, {"  -  4 . 5", -4.5}, {"2 e 3", 2000}, {"\t\n8", 8}, {"12\r\n", 12},
        {"abc", 0},   {"", 0},            {"1,000", 1},         {"*", 0},        {"-inf", 0}, {"0x10", 0},
        {"1e400", kInf}, {"6.28318530717959", 6.28318530717959},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(LeadingNumber(text), value) << '"' << text << '"';
    EXPECT_TRUE(std::signbit(LeadingNumber("-1e-400"))); // underflow keeps the sign
    EXPECT_EQ(TextOfNumber(1.5), "1.5");
    // An index rounds half to even and saturates.
    const std::pair<const char*, std::int64_t> indices[] = {
        {"2.5", 2}, {"3.5", 4}, {"-2.5", -2}, {"1.4", 1}, {"1.6", 2}, {"abc", 0},
        {"1e300", std::numeric_limits<std::int64_t>::max()}, {"-1e300", std::numeric_limits<std::int64_t>::min()},
    };
    for (const auto& [text, index] : indices)
        EXPECT_EQ(IndexFromText(text), index) << text;
    EXPECT_EQ(RoundHalfEven(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(NumberText, ReadsLeadingNumbersAndIndices)
{
    ExpectNumberTextsRead();
}

TEST(NumberText, ReadsTheSameUnderADecimalCommaLocale)
{
    const char* current = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = current ? current : "C";
    const char* comma = nullptr;
    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE"})
        if (std::setlocale(LC_NUMERIC, name)) {
            comma = name;
            break;
        }
    if (!comma)
        GTEST_SKIP() << "no locale with a decimal comma is installed (de_DE.UTF-8, fr_FR.UTF-8, de_DE); "
                        "install one (Debian: locales-all) to run this test";
    ExpectNumberTextsRead();
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(PartReadNote, SaysWhatATextWasReadAsWhenNotAllOfItIsTheNumber)
{
    const std::pair<const char*, const char*> cases[] = {
        {"1.5", ""}, {" -2.5e3 ", ""}, {"", ""}, {"1 2", ""}, // blanks inside a number are skipped
        {"1,5", "read as 1: the decimal point is '.'"}, {"-0,25", "read as 0: the decimal point is '.'"},
        {"2x", "read as 2: 'x' is not part of a number"}, {"1e", "read as 1: 'e' is not part of a number"},
        {"1,", "read as 1: ',' is not part of a number"}, {"abc", "read as 0: 'abc' is not a number"},
        {"  twelve and a half of them", "read as 0: 'twelve and a hal...' is not a number"},
    };
    for (const auto& [text, note] : cases)
        EXPECT_EQ(PartReadNote(text), note) << text;
}

TEST(TextOfNumber, ShortestFormWithFifteenDigitsThatReadsBackToItself)
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

    // The text of any finite nonzero number, and of those near a carry in the 15th digit, is C's
    // %.15G: 15 significant digits, trailing zeros dropped, exponent form below 1E-04 and from 1E+15 on.
    std::mt19937_64 gen(42);
    char expected[64];
    for (int i = 0; i < 200000; ++i)
        for (const double x : {std::bit_cast<double>(gen()),
                               std::nextafter(9.999999999999995 * std::pow(10.0, static_cast<int>(gen() % 30) - 15),
                                              gen() % 2 ? 0.0 : 1e300)}) {
            if (!std::isfinite(x) || x == 0.0)
                continue;
            std::snprintf(expected, sizeof expected, "%.15G", x);
            const std::string text = TextOfNumber(x);
            ASSERT_EQ(text, expected) << "bits " << std::bit_cast<std::uint64_t>(x);
            // Read, and shown again, the text stays.
            ASSERT_EQ(LeadingNumber(text), std::strtod(expected, nullptr)) << text;
            ASSERT_EQ(TextOfNumber(LeadingNumber(text)), text);
        }
}

TEST(ProblemModel, ShapingZeroesBothTablesOrLeavesThemAsTheyWere)
{
    ProblemModel model;
    model.ShapeTables({2, 1, 0, 0});
    model.funTable(2, 1, 0, 0) = 4.0;
    model.ShapeTables({3, 1, 0, 0});
    EXPECT_EQ(model.coef.extents(), (Table4::Extents{4, 2, 1, 1}));
    EXPECT_EQ(model.funTable.extents(), model.coef.extents());
    EXPECT_TRUE(std::all_of(model.funTable.data(), model.funTable.data() + 8, [](double v) { return v == 0.0; }));
    model.funTable(1, 0, 0, 0) = 3.0;
    // Beyond the address range, and within it but beyond half of the machine:
    // refused before any memory is asked for.
    EXPECT_THROW(model.ShapeTables({2000000000, 2000000000, 2000000000, 0}), std::length_error);
    EXPECT_THROW(model.ShapeTables({2000000000, 15, 0, 0}), std::length_error);
    EXPECT_FALSE(model.TryShapeTables({2000000000, 15, 0, 0}));
    EXPECT_EQ(model.funTable.extents(), (Table4::Extents{4, 2, 1, 1}));
    EXPECT_EQ(model.funTable(1, 0, 0, 0), 3.0);

    Table4 t; // the first index varies fastest
    t.Reshape({1, 2, 1, 1});
    EXPECT_EQ((std::array{t.Offset(1, 0, 0, 0), t.Offset(0, 1, 0, 0), t.Offset(0, 0, 1, 0), t.Offset(0, 0, 0, 1)}),
              (std::array<std::size_t, 4>{1, 2, 6, 12}));
}

TEST(Table4, ACopyIsAValueThatSharesItsStorageUntilOneSideWrites)
{
    Table4 table;
    table.Reshape({2, 1, 0, 0});
    table(1, 1, 0, 0) = 5.0;
    const Table4 snapshot = table;
    EXPECT_TRUE(snapshot.SharesValuesWith(table));
    table(1, 1, 0, 0) = 6.0; // the writer gets its own values
    EXPECT_FALSE(snapshot.SharesValuesWith(table));
    EXPECT_EQ(std::pair(snapshot(1, 1, 0, 0), table(1, 1, 0, 0)), std::pair(5.0, 6.0));

    // A snapshot read on another thread while the original is written here.
    Table4 big;
    big.Reshape({999, 99, 0, 0});
    std::fill_n(big.data(), big.size(), 1.0);
    Table4 shared = big;
    double sum = 0.0;
    std::thread reader([&shared, &sum] { sum = std::accumulate(shared.data(), shared.data() + shared.size(), 0.0); });
    std::fill_n(big.data(), big.size(), 2.0);
    reader.join();
    EXPECT_EQ(sum, static_cast<double>(shared.size()));
}

TEST(ProblemModel, CoefficientsAreCurrentUntilAnEditAndTheProblemModifiedUntilSaved)
{
    ProblemModel model;
    EXPECT_EQ(std::pair(model.ResultsState(), model.IsModified()), std::pair(Results::None, false));
    model.MarkEdited();
    EXPECT_EQ(std::pair(model.ResultsState(), model.IsModified()), std::pair(Results::None, true));
    model.SetComputed();
    EXPECT_TRUE(model.IsComputed());
    model.MarkSaved();
    EXPECT_FALSE(model.IsModified());
    model.SetComputed(); // computed again for the same problem: nothing new to save
    EXPECT_FALSE(model.IsModified());
    model.MarkEdited();
    EXPECT_EQ(std::pair(model.ResultsState(), model.IsModified()), std::pair(Results::OutOfDate, true));
    model.MarkSaved();
    model.SetComputed(); // coefficients the saved files do not hold
    EXPECT_EQ(std::pair(model.ResultsState(), model.IsModified()), std::pair(Results::Current, true));
    model.ClearComputed();
    EXPECT_EQ(model.ResultsState(), Results::None);
}

TEST(ProblemModel, ValueListsKeepTheirValuesAndSpacedOnesRunFromTheLowerLimit)
{
    ProblemModel model;
    model.lastVar = 1;
    model.Var(0).lowerLimit = 1.0;
    model.Var(0).upperLimit = 2.0;
    model.Var(0).valueUpper = 2;
    model.Var(1).lowerLimit = -1.0;
    model.Var(1).upperLimit = -0.2; // a step of 0.2 once it has 5 values
    model.Var(1).valueUpper = 2;
    model.Var(1).ResizeValues();
    model.Var(1).SetValue(2, 7.0);
    model.Var(1).valueUpper = 4;
    model.Var(1).ResizeValues();
    EXPECT_EQ(model.Var(1).values, (std::vector<double>{0, 0, 7, 0, 0}));
    model.RegenerateSpacedValues({true, false, false, false});
    EXPECT_EQ(model.Var(0).values, (std::vector<double>{1.0, 1.5, 2.0}));
    EXPECT_EQ(model.Var(1).Value(2), 7.0);
    model.RegenerateSpacedValues({true, true, false, false});
    // i * step + lower, product first: 3 * 0.2 + -1 is not -0.4 exactly.
    EXPECT_EQ(model.Var(1).Value(3), 3.0 * 0.2 + -1.0);
}

TEST(BrokenInvariant, NamesWhatNoCommandMayLeave)
{
    ProblemModel model;
    EXPECT_EQ(BrokenInvariant(model), "");
    model.lastVar = 1;
    model.Var(0).valueUpper = 1;
    model.Var(1).valueUpper = 2;
    EXPECT_NE(BrokenInvariant(model).find("tables hold fewer"), std::string::npos);
    model.ShapeTables({1, 2, 0, 0});
    EXPECT_NE(BrokenInvariant(model).find("value list is shorter"), std::string::npos);
    model.Var(0).ResizeValues();
    model.Var(1).ResizeValues();
    EXPECT_EQ(BrokenInvariant(model), "");
    model.coef = Table4();
    EXPECT_NE(BrokenInvariant(model).find("differ in shape"), std::string::npos);
}

} // namespace
} // namespace tavex
