#include "setup/field_checks.h"

#include "base/number_scan.h"
#include "model/number_text.h"

#include <cmath>
#include <limits>

namespace tavex {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view WithoutBlanksAround(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

bool IsNumberInUserFormat(std::string_view text, const NumberFormat& format)
{
    // A separator that is the decimal point itself cannot group digits.
    const ScanRules rules{.blanksInside = false, .groupSeparator = format.groupSeparator == "." ? std::string_view()
                                                                         : std::string_view(format.groupSeparator)};
    const std::string_view number = WithoutBlanksAround(text);
    return IsWholeNumber(number, rules) && std::isfinite(ScanNumber(number, rules).value);
}

bool IsAcceptableLimit(std::string_view text, const NumberFormat& format)
{
    return IsNumberInUserFormat(text, format);
}

bool IsAcceptableValueCount(std::string_view text, const NumberFormat& format)
{
    if (!IsNumberInUserFormat(text, format))
        return false;
    const double count = LeadingNumber(text);
    return count >= 2.0 && count - 1.0 <= static_cast<double>(std::numeric_limits<int>::max());
}

} // namespace tavex
