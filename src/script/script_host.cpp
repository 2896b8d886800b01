#include "script/script_host.h"

#include "script/compiler.h"
#include "script/lower_case.h"
#include "script/machine.h"
#include "script/scope.h"

#include <new>

namespace tavex::script {

namespace {

// Compiles, then runs; a text too large for memory fails as VBScript's does.
template <typename Compile>
std::variant<double, Failure> CompileAndRun(std::string_view text, Scope& scope, Compile compile)
{
    try {
        auto compiled = compile(text);
        if (const Failure* failure = std::get_if<Failure>(&compiled))
            return *failure;
        return Run(std::get<Program>(compiled), scope);
    } catch (const std::bad_alloc&) {
        return Failure{ErrorCode::OutOfMemory};
    }
}

} // namespace

struct ScriptHost::State {
    Scope scope;

    ScriptError Raise(const Failure& failure, std::string_view text,
                      const std::function<void(const ScriptError&)>& onError) const
    {
        ScriptError error = Describe(failure, text);
        if (onError)
            onError(error);
        return error;
    }
};

ScriptHost::ScriptHost() : state_(std::make_unique<State>()) {}

ScriptHost::~ScriptHost() = default;

void ScriptHost::AddObject(std::string_view name, MathObject& object, bool globalMembers)
{
    state_->scope.AddObject(LowerCase(name), object, globalMembers);
}

std::optional<ScriptError> ScriptHost::ExecuteStatement(std::string_view text)
{
    const auto outcome = CompileAndRun(text, state_->scope, CompileStatements);
    if (const Failure* failure = std::get_if<Failure>(&outcome))
        return state_->Raise(*failure, text, onError);
    return std::nullopt;
}

std::variant<double, ScriptError> ScriptHost::Eval(std::string_view expression)
{
    const auto outcome = CompileAndRun(expression, state_->scope, CompileExpression);
    if (const Failure* failure = std::get_if<Failure>(&outcome))
        return state_->Raise(*failure, expression, onError);
    return std::get<double>(outcome);
}

std::optional<double> ScriptHost::Value(std::string_view name) const { return state_->scope.Value(LowerCase(name)); }

} // namespace tavex::script
