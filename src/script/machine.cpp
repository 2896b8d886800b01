#include "script/machine.h"

#include <cassert>
#include <span>

namespace tavex::script {

namespace {

using Arguments = std::span<const double>;

// Calls what a name stands for, as VBScript does: a function checks its
// argument count, a field takes none, an object has no default member.
Outcome Invoke(const Binding& binding, Arguments arguments)
{
    switch (binding.kind) {
    case Binding::Kind::Builtin:
        if (arguments.size() < binding.builtin->fewestArguments || arguments.size() > binding.builtin->mostArguments)
            return Fail(ErrorCode::WrongArgumentCount);
        return binding.builtin->compute(arguments);
    case Binding::Kind::Member:
        if (binding.member->IsField())
            return arguments.empty() ? Outcome{ReadField(*binding.object, *binding.member)}
                                     : Fail(ErrorCode::WrongArgumentCount);
        if (arguments.size() != 1)
            return Fail(ErrorCode::WrongArgumentCount);
        return {(binding.object->*binding.member->function)(arguments[0])};
    case Binding::Kind::Object: return Fail(ErrorCode::MemberNotSupported);
    case Binding::Kind::Variable:
    case Binding::Kind::Undefined: break;
    }
    assert(false && "variables are not invoked");
    return Fail(ErrorCode::TypeMismatch);
}

class Machine final {
public:
    Machine(const Program& program, Scope& scope) : program_(program), scope_(scope) {}

    std::variant<double, Failure> Run()
    {
        for (const Instruction& step : program_.code)
            if (const ErrorCode error = Execute(step); error != ErrorCode::None)
                return Blame(step, error);
        assert(stack_.size() <= 1);
        return stack_.empty() ? 0.0 : stack_.back();
    }

private:
    // The failure of a step, placed at its name or its operator. Of a member,
    // the object is blamed when it is missing, the member otherwise.
    Failure Blame(const Instruction& step, ErrorCode error)
    {
        switch (step.op) {
        case Op::Call:
            if (error == ErrorCode::TypeMismatch && scope_.Find(Name(step)).kind == Binding::Kind::Undefined)
                return {error, step.position, Subject::UnknownName};
            return {error, step.position, Subject::Name};
        case Op::Load:
        case Op::Store: return {error, step.position, Subject::Name};
        case Op::LoadMember:
        case Op::CallMember:
        case Op::StoreMember:
        case Op::StoreIndexed: {
            const bool ofObject = step.member == kNoName || error == ErrorCode::VariableUndefined
                               || error == ErrorCode::ObjectRequired;
            return {error, ofObject ? step.position : step.memberPosition, Subject::Name};
        }
        default: return {error, step.position, Subject::Place};
        }
    }

    ErrorCode Execute(const Instruction& step)
    {
        switch (step.op) {
        case Op::Push: stack_.push_back(step.number); return ErrorCode::None;
        case Op::Fail: return step.error;
        case Op::Load: return Replace(0, Load(Name(step)));
        case Op::Call: return Replace(step.count, Call(Name(step), Top(step.count)));
        case Op::LoadMember: return Replace(0, CallMember(step, {}));
        case Op::CallMember: return Replace(step.count, CallMember(step, Top(step.count)));
        case Op::Negate: return Replace(1, {-stack_.back()});
        case Op::Not: return Replace(1, Not(stack_.back()));
        case Op::Binary: return Replace(2, Apply(step.binary, stack_[stack_.size() - 2], stack_.back()));
        case Op::Store: return Finish(1, Store(Name(step), stack_.back()));
        case Op::StoreMember: return Finish(1, StoreMember(step, stack_.back()));
        case Op::StoreIndexed: return Finish(step.count + 1, StoreIndexed(step));
        case Op::Discard: return Finish(1, ErrorCode::None);
        }
        assert(false && "a step without a rule");
        return ErrorCode::SyntaxError;
    }

    const std::string& Name(const Instruction& step) const { return program_.names[step.name]; }
    const std::string& Member(const Instruction& step) const { return program_.names[step.member]; }

    Arguments Top(std::size_t count) const
    {
        assert(count <= stack_.size());
        return Arguments(stack_).last(count);
    }

    // The outcome takes the place of the values it was computed from.
    ErrorCode Replace(std::size_t used, Outcome outcome)
    {
        if (outcome.Failed())
            return outcome.error;
        Finish(used, ErrorCode::None);
        stack_.push_back(outcome.value);
        return ErrorCode::None;
    }

    ErrorCode Finish(std::size_t used, ErrorCode error)
    {
        assert(used <= stack_.size());
        stack_.resize(stack_.size() - used);
        return error;
    }

    Outcome Load(const std::string& name)
    {
        const Binding binding = scope_.Find(name);
        switch (binding.kind) {
        case Binding::Kind::Variable: return {*binding.variable};
        case Binding::Kind::Undefined: return Fail(ErrorCode::VariableUndefined); // a typo must not read 0
        default: return Invoke(binding, {});
        }
    }

    // A variable, or a name never assigned, is no procedure.
    Outcome Call(const std::string& name, Arguments arguments)
    {
        const Binding binding = scope_.Find(name);
        if (binding.kind == Binding::Kind::Variable || binding.kind == Binding::Kind::Undefined)
            return Fail(ErrorCode::TypeMismatch);
        return Invoke(binding, arguments);
    }

    // The member named by name.member, or why there is none.
    Binding FindMember(const Instruction& step, ErrorCode& error)
    {
        const Binding owner = scope_.Find(Name(step));
        if (owner.kind != Binding::Kind::Object) {
            error = owner.kind == Binding::Kind::Undefined ? ErrorCode::VariableUndefined : ErrorCode::ObjectRequired;
            return {};
        }
        const MathMember* member = FindMathMember(Member(step));
        if (!member)
            error = ErrorCode::MemberNotSupported;
        return {.kind = Binding::Kind::Member, .object = owner.object, .member = member};
    }

    Outcome CallMember(const Instruction& step, Arguments arguments)
    {
        ErrorCode error = ErrorCode::None;
        const Binding binding = FindMember(step, error);
        return error == ErrorCode::None ? Invoke(binding, arguments) : Fail(error);
    }

    // Only variables and fields take a value.
    ErrorCode Store(const std::string& name, double value)
    {
        const Binding binding = scope_.Find(name);
        switch (binding.kind) {
        case Binding::Kind::Variable:
        case Binding::Kind::Undefined: scope_.SetVariable(name, value); return ErrorCode::None;
        case Binding::Kind::Member:
            if (binding.member->IsField())
                return WriteField(*binding.object, *binding.member, value);
            return ErrorCode::IllegalAssignment;
        default: return ErrorCode::IllegalAssignment;
        }
    }

    ErrorCode StoreMember(const Instruction& step, double value)
    {
        ErrorCode error = ErrorCode::None;
        const Binding binding = FindMember(step, error);
        if (error != ErrorCode::None)
            return error;
        if (!binding.member->IsField())
            return ErrorCode::MemberNotSupported;
        return WriteField(*binding.object, *binding.member, value);
    }

    // name(i) = value assigns an array element in VBScript; there are no
    // arrays here, and a function's value cannot be assigned.
    ErrorCode StoreIndexed(const Instruction& step)
    {
        if (step.member != kNoName) {
            ErrorCode error = ErrorCode::None;
            FindMember(step, error);
            return error != ErrorCode::None ? error : ErrorCode::TypeMismatch;
        }
        const Binding binding = scope_.Find(Name(step));
        switch (binding.kind) {
        case Binding::Kind::Builtin:
        case Binding::Kind::Object: return ErrorCode::IllegalAssignment;
        case Binding::Kind::Member: return binding.member->IsField() ? ErrorCode::TypeMismatch : ErrorCode::IllegalAssignment;
        default: return ErrorCode::TypeMismatch;
        }
    }

    const Program& program_;
    Scope& scope_;
    std::vector<double> stack_;
};

} // namespace

std::variant<double, Failure> Run(const Program& program, Scope& scope) { return Machine(program, scope).Run(); }

} // namespace tavex::script
