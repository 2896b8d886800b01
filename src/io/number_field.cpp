#include "io/number_field.h"

#include "model/number_text.h"

#include <limits>

namespace tavex {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

double NumberFromField(std::string_view field)
{
    if (!field.empty() && (field.front() == 'i' || field.front() == 'n' || field.front() == '-')) {
        constexpr double infinity = std::numeric_limits<double>::infinity();
        if (field == "inf")
            return infinity;
        if (field == "-inf")
            return -infinity;
        if (field == "nan")
            return std::numeric_limits<double>::quiet_NaN();
    }
    return LeadingNumber(field);
}

bool IsWholeNumber(std::string_view field)
{
    std::size_t i = 0;
    const auto digits = [&] {
        const std::size_t start = i;
        while (i < field.size() && IsDigit(field[i]))
            ++i;
        return i - start;
    };
    if (i < field.size() && (field[i] == '+' || field[i] == '-'))
        ++i;
    std::size_t mantissa = digits();
    if (i < field.size() && field[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return false;
    if (i < field.size() && (field[i] == 'e' || field[i] == 'E')) {
        ++i;
        if (i < field.size() && (field[i] == '+' || field[i] == '-'))
            ++i;
        if (digits() == 0)
            return false;
    }
    return i == field.size();
}

} // namespace tavex
