#include "engine/kinds/term_text.h"

#include "model/number_text.h"

namespace tavex {

std::string CenterPart(double center)
{
    std::string part;
    if (center > 0.0)
        part.append("-").append(TextOfNumber(center));
    else if (center < 0.0)
        part.append("+").append(TextOfNumber(-center));
    return part;
}

} // namespace tavex
