#include "script/scope.h"

#include <algorithm>
#include <cassert>

namespace tavex::script {

void Scope::AddObject(std::string name, MathObject& object, bool globalMembers)
{
    assert(!name.empty());
    assert(std::none_of(objects_.begin(), objects_.end(), [&](const NamedObject& added) { return added.name == name; }));
    objects_.push_back({std::move(name), &object, globalMembers});
}

Binding Scope::Find(const std::string& name)
{
    if (const Builtin* builtin = FindBuiltin(name))
        return {.kind = Binding::Kind::Builtin, .builtin = builtin};
    for (const NamedObject& named : objects_)
        if (named.name == name)
            return {.kind = Binding::Kind::Object, .object = named.object};
    if (const MathMember* member = FindMathMember(name))
        for (const NamedObject& named : objects_)
            if (named.globalMembers)
                return {.kind = Binding::Kind::Member, .object = named.object, .member = member};
    const auto variable = variables_.find(name);
    if (variable != variables_.end())
        return {.kind = Binding::Kind::Variable, .variable = &variable->second};
    return {};
}

std::optional<double> Scope::Value(const std::string& name) const
{
    if (const MathMember* member = FindMathMember(name); member && member->IsField())
        for (const NamedObject& named : objects_)
            if (named.globalMembers)
                return ReadField(*named.object, *member);
    const auto variable = variables_.find(name);
    if (variable != variables_.end())
        return variable->second;
    return std::nullopt;
}

} // namespace tavex::script
