#include "setup/entry_refusals.h"

#include "io/text/comma_record.h"
#include "model/number_text.h"
#include "setup/variable_count.h"

#include <algorithm>

namespace tavex {

namespace {

// The text as the user typed it, quoted; a long one cut so that the line stays one line.
std::string Quoted(std::string_view text)
{
    constexpr std::size_t kLongest = 24;
    std::string quoted(1, '\'');
    quoted.append(text.substr(0, kLongest));
    quoted.append(text.size() > kLongest ? "...'" : "'");
    return quoted;
}

bool IsBlank(std::string_view text)
{
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

std::string NotANumber(std::string_view label, std::string_view text)
{
    return std::string(label) + ": "
         + (IsBlank(text) ? std::string("type a number") : Quoted(text) + " is not a number");
}

std::vector<std::string_view> SplitAtCommas(std::string_view text)
{
    std::vector<std::string_view> pieces;
    for (std::size_t start = 0;;) {
        const std::size_t comma = text.find(',', start);
        pieces.push_back(text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (comma == std::string_view::npos)
            return pieces;
        start = comma + 1;
    }
}

} // namespace

std::string VariableCountRefusal(std::string_view text)
{
    if (LastVarOfCount(text))
        return {};
    return "Number of variables: type a whole number from 1 to " + std::to_string(kMaxVariables);
}

std::string NamesRefusal(int lastVar, std::string_view text)
{
    const int count = lastVar + 1;
    const std::vector<std::string_view> names = SplitAtCommas(text);
    const std::string variables = count == 1 ? "1 variable needs 1 name" : std::to_string(count) + " variables need "
                                                                             + std::to_string(count) + " names";
    if (static_cast<int>(names.size()) != count)
        return "Names: " + variables + ", separated by commas";
    const auto empty = std::find_if(names.begin(), names.end(), [](std::string_view name) { return name.empty(); });
    if (empty != names.end())
        return "Names: name " + std::to_string(empty - names.begin() + 1) + " is empty";
    const auto unsavable = std::find_if(names.begin(), names.end(),
                                        [](std::string_view name) { return !FitsQuotedField(name); });
    if (unsavable != names.end())
        return "Names: name " + std::to_string(unsavable - names.begin() + 1)
             + " holds a double quote or a line end, which a problem file cannot keep";
    return {};
}

std::string LimitRefusal(std::string_view label, std::string_view text, const NumberFormat& format)
{
    return IsAcceptableLimit(text, format) ? std::string() : NotANumber(label, text);
}

std::string ValueCountRefusal(std::string_view text, const NumberFormat& format)
{
    if (IsAcceptableValueCount(text, format))
        return {};
    if (!IsNumberInUserFormat(text, format))
        return NotANumber("# of values", text);
    if (LeadingNumber(text) < 2.0)
        return "# of values: a variable needs at least 2 values";
    return "# of values: " + Quoted(text) + " is more values than a variable can have";
}

std::string IndexRefusal(std::string_view name, std::string_view text, int upper)
{
    const double number = LeadingNumber(text);
    if (number >= 0.0 && number <= upper)
        return {};
    return "Index of " + std::string(name) + ": type a whole number from 0 to " + std::to_string(upper);
}

} // namespace tavex
