#pragma once

#include "script/math_object.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace tavex::script {

// What a failed statement says: the script language's number (1002, 11,
// 6, ...) and its words, with what and where: "Syntax error at column 1: Dim
// x", "Unknown name 'Sinn' at column 1: Sinn(x)", "Division by zero at line
// 2, column 7: y = 1/0" (a line only in a text of several).
struct ScriptError {
    int number = 0;
    std::string description;
    // Where it arose, counted from 1 in characters; column 0 when nowhere in
    // particular (out of memory).
    int line = 1;
    int column = 0;
};

// VBScript's own words for an error number the host raises, without the place.
const char* VBScriptDescription(int number);

// The script host of the desktop program and of tavex-cli: statements and
// expressions of a small part of VBScript (assignments, arithmetic,
// comparisons, the built-in math functions), with named objects whose
// members are global names. Numbers only; names are not case-sensitive.
// No statement crashes, hangs or throws, whatever its text: a failure is an
// error raised through onError and returned.
class ScriptHost final {
public:
    ScriptHost();
    ~ScriptHost();
    ScriptHost(const ScriptHost&) = delete;
    ScriptHost& operator=(const ScriptHost&) = delete;

    // Registers `object` under `name` ("sh"); with globalMembers its fields
    // and functions are also global names, so that "pi = 1" assigns its field.
    void AddObject(std::string_view name, MathObject& object, bool globalMembers);

    // Runs one or more statements separated by ":" or line ends. On the first
    // failure the rest is not run, onError is raised and the error returned.
    std::optional<ScriptError> ExecuteStatement(std::string_view text);

    // The value of one expression, reading the script's variables; a failure
    // raises onError and is returned.
    std::variant<double, ScriptError> Eval(std::string_view expression);

    // The value of a script variable or of a global member; nothing when no
    // such name was ever assigned.
    std::optional<double> Value(std::string_view name) const;

    // The error event.
    std::function<void(const ScriptError&)> onError;

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace tavex::script
