#pragma once

#include "script/builtins.h"
#include "script/math_members.h"
#include "script/math_object.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tavex::script {

// What a name stands for, found in this order: a built-in function, a named
// object, a member of an object whose members are global, a variable.
struct Binding {
    enum class Kind { Builtin, Object, Member, Variable, Undefined };
    Kind kind = Kind::Undefined;
    const Builtin* builtin = nullptr;
    MathObject* object = nullptr;        // of Object and Member
    const MathMember* member = nullptr;  // of Member
    double* variable = nullptr;          // of Variable
};

// The names a script sees. Names are given in lower case: they are not
// case-sensitive, as in VBScript.
class Scope final {
public:
    void AddObject(std::string name, MathObject& object, bool globalMembers);
    Binding Find(const std::string& name);
    void SetVariable(const std::string& name, double value) { variables_[name] = value; }
    // A variable's or a global field's value; nothing for any other name.
    std::optional<double> Value(const std::string& name) const;

private:
    struct NamedObject {
        std::string name;
        MathObject* object;
        bool globalMembers;
    };

    std::vector<NamedObject> objects_;
    std::unordered_map<std::string, double> variables_;
};

} // namespace tavex::script
