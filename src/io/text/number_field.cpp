#include "io/text/number_field.h"

#include "base/number_scan.h"

#include <limits>

namespace tavex {

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
    const NumberScan scan = ScanNumber(field);
    return scan.found ? scan.value : 0.0;
}

} // namespace tavex
