// The coefficient export: every coefficient back bit for bit from the CSV and
// the JSON whatever the names hold, and a file replaced only by a whole export.
#include "commands/export_command.h"
#include "support/problem_builder.h"
#include "example_problems.h"
#include "io/export/coefficient_export.h"
#include "io/listing/coefficient_listing.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <random>
#include <sstream>

namespace tavex {
namespace {

using Rows = std::vector<std::vector<std::string>>;

std::string Written(const ProblemModel& model, CoefficientFormat format)
{
    std::string text;
    WriteCoefficients(model, format, [&text](std::string_view piece) { text += piece; });
    return text;
}

// The fields of an RFC 4180 text whose lines end in CR LF, row by row.
Rows ReadCsv(std::string_view text)
{
    Rows rows(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::string_view two = text.substr(i, 2);
        if (quoted && two == "\"\"") {
            rows.back().back() += text[i++];
        } else if (text[i] == '"') {
            quoted = !quoted;
        } else if (!quoted && text[i] == ',') {
            rows.back().emplace_back();
        } else if (!quoted && two == "\r\n") {
            rows.emplace_back(1);
            ++i;
        } else {
            rows.back().back() += text[i];
        }
    }
    rows.pop_back(); // what follows the last line end
    return rows;
}

std::uint64_t BitsReadBack(const std::string& text)
{
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_TRUE(error == std::errc() && end == text.data() + text.size()) << text;
    return std::bit_cast<std::uint64_t>(value);
}

// Both kinds of variable, names that a CSV field or a JSON string must
// escape, tables stored larger than the counts, and every sort of double.
ProblemModel AwkwardModel(const std::vector<int>& counts)
{
    ProblemModel model = testing::MakeMixedModel(counts, 7);
    testing::SetNames(model, {"a \"b\"", "x,y", "t\r\n", "\xe9\xc3\xa9\x7f"});
    testing::AddTableRoom(model, {2, 2, 2, 2});
    std::mt19937_64 gen(counts.size());
    for (std::size_t i = 0; i < model.coef.size(); ++i)
        model.coef.data()[i] = std::bit_cast<double>(gen());
    using Limits = std::numeric_limits<double>;
    const double specials[] = {-0.0, Limits::infinity(), -Limits::infinity(), Limits::quiet_NaN(),
                               Limits::denorm_min(), -Limits::max(), 0.1, 1e22};
    for (int i = 0; i < 8; ++i) // the counts leave the first two indices room for them
        model.coef(i % (model.Var(0).valueUpper + 1), i / (model.Var(0).valueUpper + 1), 0, 0) = specials[i];
    return model;
}

class CoefficientExport : public ::testing::TestWithParam<std::vector<int>> {};

TEST_P(CoefficientExport, CsvGivesBackEveryCoefficientWithTheListingsTerms)
{
    const ProblemModel model = AwkwardModel(GetParam());
    const Rows rows = ReadCsv(Written(model, CoefficientFormat::Csv));
    std::vector<std::string> header;
    for (int k = 0; k <= model.lastVar; ++k)
        header.push_back(std::to_string(k).insert(0, 1, 'j'));
    header.insert(header.end(), {"term", "coefficient"});
    ASSERT_EQ(rows.front(), header);

    std::vector<std::string> lines, terms; // the listing's, in its order
    ListCoefficients(model, lines);
    for (std::string& line : lines) {
        line.erase(line.find_last_not_of(' ') + 1);
        if (!line.empty() && line != kCoefficientsHeading)
            terms.push_back(line.substr(std::min(line.size(), kTermColumn)));
    }
    ASSERT_EQ(rows.size(), terms.size() + 1);
    for (std::size_t r = 1; r < rows.size(); ++r) {
        ASSERT_EQ(rows[r].size(), header.size());
        std::array<int, 4> j{};
        std::transform(rows[r].begin(), rows[r].end() - 2, j.begin(), [](auto& s) { return std::stoi(s); });
        EXPECT_EQ(rows[r][header.size() - 2], terms[r - 1]);
        const double value = model.coef(j[0], j[1], j[2], j[3]);
        if (std::isnan(value))
            EXPECT_EQ(rows[r].back(), "nan");
        else
            EXPECT_EQ(BitsReadBack(rows[r].back()), std::bit_cast<std::uint64_t>(value)) << rows[r].back();
    }
}

TEST_P(CoefficientExport, JsonHoldsTheCsvsNumbersInItsOrderAndEscapesNames)
{
    const ProblemModel model = AwkwardModel(GetParam());
    const std::string json = Written(model, CoefficientFormat::Json);
    const Rows rows = ReadCsv(Written(model, CoefficientFormat::Csv));
    const std::size_t begin = json.find("\"coefficients\": ["), end = json.find(']', begin);
    ASSERT_NE(begin, std::string::npos);
    ASSERT_EQ(json.substr(end), "]\n}\n");
    std::string list = json.substr(begin + 17, end - begin - 17);
    std::replace(list.begin(), list.end(), ',', ' ');
    std::istringstream numbers(list);
    for (std::size_t r = 1; r < rows.size(); ++r) {
        std::string number;
        ASSERT_TRUE(numbers >> number);
        const std::string& csv = rows[r].back();
        const bool finite = csv.find_first_of("in") == std::string::npos; // not inf, -inf or nan
        if (finite)
            EXPECT_EQ(BitsReadBack(number), BitsReadBack(csv)) << number << " " << csv;
        else
            EXPECT_EQ(number, "null");
    }
    std::string extra;
    EXPECT_FALSE(numbers >> extra) << extra;

    const char* escaped[] = {R"("a \"b\"")", R"("x,y")", R"("t\u000d\u000a")", "\"\\u00e9\xc3\xa9\\u007f\""};
    for (int k = 0; k <= model.lastVar; ++k)
        EXPECT_NE(json.find(std::string("\"name\": ") + escaped[k] + ","), std::string::npos) << escaped[k];
}

INSTANTIATE_TEST_SUITE_P(OneToFourVariables, CoefficientExport,
                         ::testing::Values(std::vector<int>{9}, std::vector<int>{4, 5}, std::vector<int>{3, 3, 4},
                                           std::vector<int>{2, 5, 2, 3}));

// Replacing a file whole, and a file that cannot be written: through tavex-cli export.
TEST(ExportCoefficients, WithoutCoefficientsIsRefusedAndTouchesNoFile)
{
    testing::TempDir dir;
    const std::string path = dir.File("out.json"), absent = dir.File("absent.csv");
    testing::WriteBytes(path, "old");
    const std::string refusal = "The problem holds no computed coefficients; compute first. Nothing was exported.";
    for (const std::string& target : {path, absent})
        EXPECT_EQ(command::ExportCoefficients(testing::MakeExampleModel(), "", target, CoefficientFormat::Csv).message,
                  refusal);
    EXPECT_EQ(testing::ReadBytes(path), "old");
    EXPECT_FALSE(std::filesystem::exists(absent));
}

TEST(ExportCoefficients, TheFileNamesExtensionChoosesTheFormat)
{
    using command::ExportFormat;
    const std::pair<const char*, ExportFormat> cases[] = {
        {"c.json", CoefficientFormat::Json}, {"dir/C.Json", CoefficientFormat::Json},
        {"c.csv", CoefficientFormat::Csv},   {"c", CoefficientFormat::Csv},
        {"c.json.txt", CoefficientFormat::Csv}, {"dir.json/c", CoefficientFormat::Csv},
        {".json", CoefficientFormat::Csv},   {"fit.C", CodeLanguage::C},
        {"fit.hpp", CodeLanguage::Cpp},      {"fit.py", CodeLanguage::Python},
        {"fit.F90", CodeLanguage::Fortran},  {"fit.js", CodeLanguage::JavaScript},
        {"fit.m", CodeLanguage::Matlab},     {"fit.cpp", CoefficientFormat::Csv},
    };
    for (const auto& [path, format] : cases)
        EXPECT_EQ(command::ExportFormatFor(path), format) << path;
}

// MATLAB finds a function by its file's name: the base name when it can be one.
TEST(ExportCoefficients, TheFunctionIsNamedAfterTheFileWhenItCanBe)
{
    const std::pair<const char*, const char*> cases[] = {
        {"dir/heat_fit.m", "heat_fit"}, {"2fit.py", "tavex_fit"}, {"my fit.c", "tavex_fit"},
        {"for.js", "tavex_fit"},        {"x.m", "tavex_fit"},     {"Fit_2.f90", "Fit_2"},
    };
    for (const auto& [path, name] : cases)
        EXPECT_EQ(command::CodeNameFor(path), name) << path;
}

} // namespace
} // namespace tavex
