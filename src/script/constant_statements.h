#pragma once

#include <array>
#include <string_view>

namespace tavex::script {

// Run at start-up, in this order, once the math object is added as "sh"
// with global members: they set its constants.
inline constexpr std::array<std::string_view, 3> kConstantStatements{
    "halfpi = Atn(1) * 2",
    "pi = Atn(1) * 4",
    "e = Exp(1)",
};

} // namespace tavex::script
