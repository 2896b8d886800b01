#pragma once

#include "script/arithmetic.h"
#include "script/script_errors.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tavex::script {

// One step of a compiled script. The steps work on a stack of numbers, in
// postfix order, so that running them needs no recursion however deep the
// text nests.
enum class Op : std::uint8_t {
    Push,          // number
    Fail,          // error: a value this language lacks, such as a string
    Load,          // name: its value
    Call,          // name with count arguments
    LoadMember,    // name.member
    CallMember,    // name.member with count arguments
    Negate,
    Not,
    Binary,        // binary
    // Each statement ends with one of these, which takes its values.
    Store,         // name = value
    StoreMember,   // name.member = value
    StoreIndexed,  // name(count arguments) = value, which fails: there are no arrays
    Discard,       // a call statement's value
};

// The member of an instruction that names none.
inline constexpr std::uint32_t kNoName = UINT32_MAX;

struct Instruction {
    Op op = Op::Push;
    BinaryOperator binary = BinaryOperator::Add;
    ErrorCode error = ErrorCode::None;
    std::uint32_t name = 0;   // index in Program::names
    std::uint32_t member = kNoName; // index in Program::names
    std::uint32_t count = 0;
    double number = 0.0;
    // Where its token starts in the text, and the member's: a failure is placed there.
    std::size_t position = 0;
    std::size_t memberPosition = 0;
};

struct Program {
    std::vector<Instruction> code;
    std::vector<std::string> names; // in lower case: names are not case-sensitive, as in VBScript
};

} // namespace tavex::script
