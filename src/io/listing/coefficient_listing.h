#pragma once

#include "io/text/text_sink.h"
#include "model/problem_model.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tavex {

inline constexpr char kCoefficientsHeading[] = "COEFFICIENTS:";

// Where the term text begins on a coefficient line (0-based): the value stands
// left-aligned in the 24 characters before it.
inline constexpr std::size_t kTermColumn = 24;
// Blanks after the value text; the term is laid over them, never beyond.
inline constexpr std::size_t kLinePadding = 255;

// The product of basis functions that coefficient `index` multiplies, one
// factor per variable whose index m is not 0, written in the variables' names:
// "*x", "*(t-0.5)^2", "*sin(t+1.5)", "*cos(2*(t+1.5))". Empty for the constant term.
std::string TermText(const ProblemModel& model, const PerVariable<int>& index);

// The line of coefficient `index`, shared by the listing and the report: the
// text of its value, 255 blanks, and the term text laid over them from
// character 25, cut where the line ends.
std::string BuildTermText(const ProblemModel& model, const PerVariable<int>& index);

// The listing of the coefficients, a line at a time, for a list that asks for
// the lines it shows: the heading, then the coefficient lines with the first
// index fastest, an empty line after each run of the first index, another after
// each run of the second, another after each run of the third.
//
// The listing reads the model at every call: the model must outlive it, and a
// model whose counts change needs a new listing.
class CoefficientListing final {
public:
    explicit CoefficientListing(const ProblemModel& model);

    std::size_t LineCount() const { return lineCount_; }
    // The line as the list shows it, blanks at its end included.
    std::string Line(std::size_t row) const;

private:
    const ProblemModel& model_;
    // Lines under one value of index 1, 2 and 3, the closing empty line included.
    std::size_t block1_ = 0;
    std::size_t block2_ = 0;
    std::size_t block3_ = 0;
    std::size_t lineCount_ = 0;
};

// Appends the whole listing to lines (which it does not clear).
void ListCoefficients(const ProblemModel& model, std::vector<std::string>& lines);

// The whole listing as text, each line without the blanks at its end and
// closed by "\n", handed to sink in pieces of about 64 KB: what tavex-cli
// prints, byte for byte the lines above trimmed, laid out without a string
// per line (millions of them for a big table).
void WriteListingText(const ProblemModel& model, const TextSink& sink);

} // namespace tavex
