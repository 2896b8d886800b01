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
Outcome CompileAndRun(std::string_view text, Scope& scope, Compile compile)
{
    try {
        auto compiled = compile(text);
        if (const ErrorCode* error = std::get_if<ErrorCode>(&compiled))
            return Fail(*error);
        return Run(std::get<Program>(compiled), scope);
    } catch (const std::bad_alloc&) {
        return Fail(ErrorCode::OutOfMemory);
    }
}

} // namespace

struct ScriptHost::State {
    Scope scope;

    ScriptError Raise(ErrorCode code, const std::function<void(const ScriptError&)>& onError) const
    {
        ScriptError error = MakeError(code);
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
    const Outcome outcome = CompileAndRun(text, state_->scope, CompileStatements);
    if (!outcome.Failed())
        return std::nullopt;
    return state_->Raise(outcome.error, onError);
}

std::variant<double, ScriptError> ScriptHost::Eval(std::string_view expression)
{
    const Outcome outcome = CompileAndRun(expression, state_->scope, CompileExpression);
    if (!outcome.Failed())
        return outcome.value;
    return state_->Raise(outcome.error, onError);
}

std::optional<double> ScriptHost::Value(std::string_view name) const { return state_->scope.Value(LowerCase(name)); }

} // namespace tavex::script
