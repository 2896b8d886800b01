// The listing as tavex-cli prints it is the list box's lines, trimmed, byte for byte.
#include "example_problems.h"
#include "support/problem_builder.h"
#include "io/listing/coefficient_listing.h"

#include <gtest/gtest.h>

namespace tavex {
namespace {

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
        model.Names() = names;
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
