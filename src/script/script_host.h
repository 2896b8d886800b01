#pragma once

#include "script/math_object.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace tavex::script {

// What a failed statement says, in the words and numbers of the script
// language: 1002 "Syntax error", 11 "Division by zero", 6 "Overflow", ...
struct ScriptError {
    int number = 0;
    std::string description;
};

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
