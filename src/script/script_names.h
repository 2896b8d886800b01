#pragma once

#include <string_view>

namespace tavex::script {

// What a text says about names, found without running it.

// Whether `name`, blanks around it aside, is one name a statement
// "name = value" assigns to: a letter, then letters, digits and underscores,
// at most 255 in all, and no word the language reserves. "2x", "x y" and
// "x:y" are none; the last would run as two statements.
bool IsIdentifier(std::string_view name);

// Whether evaluating `expression` reads the value of the name `name` (in any
// case, blanks around it aside): a call such as Sin(x) reads x, not Sin.
// False for a text that does not compile.
bool ReadsName(std::string_view expression, std::string_view name);

} // namespace tavex::script
