#pragma once

#include "script/script_errors.h"

#include <span>
#include <string_view>

namespace tavex::script {

// One of VBScript's math functions.
struct Builtin {
    std::string_view name; // lower case
    std::size_t fewestArguments;
    std::size_t mostArguments;
    Outcome (*compute)(std::span<const double> arguments);
};

// The function of that (lower-case) name; null when there is none.
const Builtin* FindBuiltin(std::string_view name);

} // namespace tavex::script
