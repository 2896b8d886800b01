// The coefficient listing and the report: the terms, the columns, the
// empty lines between the runs of each index, the variable blocks, the data
// tree, and the listing's text as tavex-cli prints it.
#include "example_problems.h"
#include "support/problem_builder.h"
#include "io/listing/coefficient_listing.h"
#include "io/listing/report_lines.h"

#include <gtest/gtest.h>

namespace tavex {
namespace {

using Lines = std::vector<std::string>;

// The text, blanks after it, and the overlay laid over them from a column.
std::string Overlaid(std::string text, std::size_t blanks, std::size_t column, const std::string& overlay)
{
    return text.append(blanks, ' ').replace(column, overlay.size(), overlay);
}

TEST(CoefficientListing, LinesOfTwoVariablesAndTheRunsOfEveryShape)
{
    ProblemModel model = testing::MakeMixedModel({2, 2}, 3);
    testing::SetNames(model, {"x", "y"}); // y trigonometric: each kind's factors are the kinds' own test
    testing::SetEachVariable(model, &Variable::center, {});
    model.coef(0, 0, 0, 0) = 1;
    model.coef(1, 0, 0, 0) = 2;
    model.coef(0, 1, 0, 0) = 3;
    model.coef(1, 1, 0, 0) = -4.5;
    const auto line = [](const char* value, const char* term) { return Overlaid(value, 255, 24, term); };
    Lines lines{"kept"};
    ListCoefficients(model, lines);
    EXPECT_EQ(lines, (Lines{"kept", "COEFFICIENTS:", line("1", ""), line("2", "*x"), "", line("3", "*sin(y)"),
                            line("-4.5", "*x*sin(y)"), "", "", ""}));
    model.Var(0).name = std::string(300, 'a'); // a long term is cut where the line ends
    EXPECT_EQ(BuildTermText(model, {1, 0, 0, 0}), std::string("2").append(23, ' ').append("*").append(231, 'a'));

    for (const std::vector<int>& counts : {std::vector<int>{3}, {2, 3}, {3, 2, 4}, {2, 3, 2, 3}}) {
        model = testing::MakeMixedModel(counts, 9);
        Lines expected{kCoefficientsHeading};
        const auto n = [&](int k) { return k <= model.lastVar ? model.Var(k).valueUpper : 0; };
        for (int i3 = 0; i3 <= n(3); ++i3, expected.emplace_back())
            for (int i2 = 0; i2 <= n(2); ++i2, expected.emplace_back())
                for (int i1 = 0; i1 <= n(1); ++i1, expected.emplace_back())
                    for (int i0 = 0; i0 <= n(0); ++i0)
                        expected.push_back(BuildTermText(model, {i0, i1, i2, i3}));
        Lines listed;
        ListCoefficients(model, listed);
        EXPECT_EQ(listed, expected);
    }
}

Lines Collect(void (*print)(const ProblemModel&, const LineSink&), const ProblemModel& model)
{
    Lines lines;
    print(model, [&lines](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

TEST(ReportLines, OneVariableOfEachKind)
{
    ProblemModel model = testing::MakeExampleModel();
    const auto line = [](const char* head, const char* function) { return Overlaid(head, 70, 39, function); };
    EXPECT_EQ(Collect(PrintReport, model),
              (Lines{"", "           VARIABLE: x", "               TYPE: POLYNOMIAL", "         # OF TERMS: 3 ",
                     "           INTERVAL: [ 0 , 2 ]", "CENTER OF EXPANSION: 1 ", "", "DATA:", "",
                     line("   x=0", "FUNCTION=5"), line("   x=1", "FUNCTION=7"), line("   x=2", "FUNCTION=9"),
                     "", "", ""}));

    model.Var(0).kind = Kind::Trigonometric;
    model.Var(0).lowerLimit = -2.0;
    EXPECT_EQ(Collect(PrintVariableBlocks, model),
              (Lines{"", "           VARIABLE: x", "               TYPE: TRIGONOMETRIC", "         # OF TERMS: 3 ",
                     "           INTERVAL: [-2 , 2 ]", "CENTER OF EXPANSION: 1 ",
                     "             PERIOD: 6.28318530717959 "}));

    model.Var(0).name = std::string(40, 'n'); // a value reaching column 40 is overwritten
    EXPECT_EQ(Collect(PrintData, model)[3], Overlaid(std::string("   ").append(40, 'n').append("=0"), 70, 39,
                                                     "FUNCTION=5"));
}

TEST(ReportLines, ThreeVariablesDataTreeAndCoefficients)
{
    ProblemModel model = testing::MakeMixedModel({2, 2, 2}, 4);
    testing::SetNames(model, {"a", "b", "c"});
    model.Var(2).SetValue(0, 0.25);
    model.Var(1).SetValue(1, -3);
    const Lines data = Collect(PrintData, model);
    // Per value of c: its header, then per value of b a header, two lines and
    // an empty line, then an empty line; one more at the end of the level of d.
    ASSERT_EQ(data.size(), 3u + 2 * (1 + 2 * (1 + 2 + 1) + 1) + 1);
    EXPECT_EQ(data[3], " c=0.25");
    EXPECT_EQ(data[4].substr(0, 3), "  b");
    EXPECT_EQ(data[5].substr(0, 5), "   a=");
    EXPECT_EQ(data[8], "  b=-3");
    EXPECT_EQ(data.back(), "");

    Lines listing{""}; // with an empty line around the heading
    ListCoefficients(model, listing);
    listing.insert(listing.begin() + 2, "");
    EXPECT_EQ(Collect(PrintCoefficients, model), listing);
    Lines report = Collect(PrintVariableBlocks, model); // computed: the coefficients instead of the data
    report.insert(report.end(), listing.begin(), listing.end());
    EXPECT_EQ(Collect(PrintReport, model), report);
}

// The listing as tavex-cli prints it is the list box's lines, trimmed, byte for byte.
std::string TrimmedLines(const ProblemModel& model)
{
    const CoefficientListing listing(model);
    std::string text;
    for (std::size_t row = 0; row < listing.LineCount(); ++row) {
        const std::string line = listing.Line(row);
        text.append(line, 0, line.find_last_not_of(' ') + 1).append("\n");
    }
    return text;
}

TEST(ListingText, IsTheListsLinesTrimmedWhateverTheNamesCentersAndCounts)
{
    const std::string longName(120, 'n');
    const std::pair<std::vector<int>, std::vector<std::string>> cases[] = {
        {{3}, {"x"}},
        {{2, 5, 2, 3}, {"a", "b ", "c", "d"}},  // a name ending in a blank ends its line early
        {{3, 2, 2}, {longName, longName, longName}}, // terms cut where the padded line ends
        {{5000}, {"t"}},                          // one run longer than a piece
    };
    for (const auto& [counts, names] : cases) {
        ProblemModel model = testing::MakeMixedModel(counts, 7);
        testing::SetNames(model, names);
        model.Var(0).center = 0.0; // a term without its center's part
        std::string text;
        int pieces = 0;
        WriteListingText(model, [&](std::string_view piece) {
            text.append(piece);
            ++pieces;
        });
        EXPECT_EQ(text, TrimmedLines(model)) << names.front();
        EXPECT_GE(pieces, static_cast<int>(text.size() >> 16)) << "pieces of at most about 64 KB";
    }
}

} // namespace
} // namespace tavex
