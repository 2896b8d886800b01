#pragma once

#include <string>
#include <string_view>

namespace tavex::script {

// Names are not case-sensitive, as in VBScript: they are kept in lower case.
inline char LowerCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

inline std::string LowerCase(std::string_view name)
{
    std::string lower(name);
    for (char& c : lower)
        c = LowerCase(c);
    return lower;
}

} // namespace tavex::script
