#include "script/compiler.h"

#include "script/lexer.h"
#include "script/lower_case.h"

#include <string>
#include <unordered_map>

namespace tavex::script {

namespace {

// Deeper nesting of parentheses, argument lists and Not than this is
// refused with VBScript's "Out of stack space": the parser recurses once per
// level. 200 levels of the costliest kind take under 2 MB of stack in the
// sanitized build, well inside a thread's 8 MB.
constexpr int kDeepestNesting = 200;

// VBScript's precedence, lowest first; unary minus and ^ bind tighter than
// every level here and are parsed apart.
enum Precedence : int {
    kNoOperator = 0, kImp, kEqv, kXor, kOr, kAnd, kNot, kComparison, kConcatenation, kAdditive, kModulo,
    kIntegerDivision, kMultiplicative,
};

struct BinaryToken {
    int precedence = kNoOperator;
    BinaryOperator op = BinaryOperator::Add;
};

BinaryToken OperatorAt(TokenKind kind)
{
    switch (kind) {
    case TokenKind::Imp: return {kImp, BinaryOperator::Imp};
    case TokenKind::Eqv: return {kEqv, BinaryOperator::Eqv};
    case TokenKind::Xor: return {kXor, BinaryOperator::Xor};
    case TokenKind::Or: return {kOr, BinaryOperator::Or};
    case TokenKind::And: return {kAnd, BinaryOperator::And};
    case TokenKind::Equal: return {kComparison, BinaryOperator::Equal};
    case TokenKind::NotEqual: return {kComparison, BinaryOperator::NotEqual};
    case TokenKind::Less: return {kComparison, BinaryOperator::Less};
    case TokenKind::Greater: return {kComparison, BinaryOperator::Greater};
    case TokenKind::LessEqual: return {kComparison, BinaryOperator::LessEqual};
    case TokenKind::GreaterEqual: return {kComparison, BinaryOperator::GreaterEqual};
    case TokenKind::Ampersand: return {kConcatenation, BinaryOperator::Concatenate};
    case TokenKind::Plus: return {kAdditive, BinaryOperator::Add};
    case TokenKind::Minus: return {kAdditive, BinaryOperator::Subtract};
    case TokenKind::Mod: return {kModulo, BinaryOperator::Modulo};
    case TokenKind::Backslash: return {kIntegerDivision, BinaryOperator::IntegerDivide};
    case TokenKind::Star: return {kMultiplicative, BinaryOperator::Multiply};
    case TokenKind::Slash: return {kMultiplicative, BinaryOperator::Divide};
    default: return {};
    }
}

// Thrown inside the compiler only, and caught where it is called.
struct CompileFailure {
    Failure failure;
};

class Compiler final {
public:
    explicit Compiler(std::string_view text) : lexer_(text) { Advance(); }

    Program Statements()
    {
        for (;;) {
            Statement();
            if (token_.kind == TokenKind::End)
                return std::move(program_);
            if (token_.kind != TokenKind::StatementEnd)
                Unexpected(ErrorCode::ExpectedEndOfStatement);
            Advance();
        }
    }

    Program Expression()
    {
        ParseExpression();
        if (token_.kind != TokenKind::End)
            Unexpected(ErrorCode::ExpectedEndOfStatement);
        return std::move(program_);
    }

private:
    // Each level of nesting holds one of these while it is parsed.
    class NestingLevel final {
    public:
        NestingLevel(int& depth, std::size_t position) : depth_(depth)
        {
            if (++depth_ > kDeepestNesting)
                throw CompileFailure{{ErrorCode::OutOfStackSpace, position}};
        }
        ~NestingLevel() { --depth_; }
        NestingLevel(const NestingLevel&) = delete;
        NestingLevel& operator=(const NestingLevel&) = delete;

    private:
        int& depth_;
    };

    void Advance() { token_ = lexer_.Next(); }

    [[noreturn]] void Unexpected(ErrorCode expected) const
    {
        throw CompileFailure{{token_.kind == TokenKind::Invalid ? token_.error : expected, token_.position}};
    }

    void Expect(TokenKind kind, ErrorCode otherwise)
    {
        if (token_.kind != kind)
            Unexpected(otherwise);
        Advance();
    }

    bool AtStatementEnd() const { return token_.kind == TokenKind::StatementEnd || token_.kind == TokenKind::End; }

    void Emit(Instruction instruction) { program_.code.push_back(instruction); }
    void Emit(Op op) { Emit(Instruction{.op = op}); }

    std::uint32_t Intern(std::string_view name)
    {
        std::string lower = LowerCase(name);
        const auto [found, added] = index_.try_emplace(lower, static_cast<std::uint32_t>(program_.names.size()));
        if (added)
            program_.names.push_back(std::move(lower));
        return found->second;
    }

    // The name at the token, and .member after it if there is one.
    Instruction Reference()
    {
        Instruction reference{.name = Intern(token_.text), .position = token_.position};
        Advance();
        if (token_.kind == TokenKind::Dot) {
            Advance();
            if (token_.kind != TokenKind::Name)
                Unexpected(ErrorCode::ExpectedIdentifier);
            reference.member = Intern(token_.text);
            reference.memberPosition = token_.position;
            reference.op = Op::LoadMember;
            Advance();
        } else {
            reference.op = Op::Load;
        }
        return reference;
    }

    static Op Calling(const Instruction& reference) { return reference.op == Op::LoadMember ? Op::CallMember : Op::Call; }

    void Statement()
    {
        switch (token_.kind) {
        case TokenKind::StatementEnd:
        case TokenKind::End: return;
        case TokenKind::Name: NameStatement(); return;
        case TokenKind::Reserved: Unexpected(ErrorCode::SyntaxError);
        default: Unexpected(ErrorCode::ExpectedStatement);
        }
    }

    // An assignment, or a call: "name args" or "name(args)", the result
    // unused. "1 + 2" is no statement, but "x + 1" calls x with +1.
    void NameStatement()
    {
        Instruction target = Reference();
        const bool member = target.op == Op::LoadMember;
        if (token_.kind == TokenKind::Equal) {
            Advance();
            ParseExpression();
            target.op = member ? Op::StoreMember : Op::Store;
            Emit(target);
            return;
        }
        target.op = Calling(target);
        if (token_.kind == TokenKind::LeftParenthesis) {
            const std::size_t opening = token_.position;
            target.count = Arguments();
            if (token_.kind == TokenKind::Equal) {
                Advance();
                ParseExpression();
                target.op = Op::StoreIndexed;
                Emit(target);
                return;
            }
            if (!AtStatementEnd()) {
                if (target.count != 1)
                    Unexpected(ErrorCode::ExpectedEndOfStatement);
                // "f (1) + 2": the parentheses opened the first argument.
                PowerChain();
                ContinueBinary(kImp);
                target.count += MoreArguments();
            } else if (target.count > 1) {
                throw CompileFailure{{ErrorCode::ParenthesesInSubCall, opening}};
            }
        } else if (!AtStatementEnd()) {
            ParseExpression();
            target.count = 1 + MoreArguments();
        }
        Emit(target);
        Emit(Op::Discard);
    }

    std::uint32_t MoreArguments()
    {
        std::uint32_t count = 0;
        for (; token_.kind == TokenKind::Comma; ++count) {
            Advance();
            ParseExpression();
        }
        return count;
    }

    // "(" [expression {"," expression}] ")"; at the "(".
    std::uint32_t Arguments()
    {
        const NestingLevel level(depth_, token_.position);
        Advance();
        std::uint32_t count = 0;
        if (token_.kind != TokenKind::RightParenthesis) {
            ParseExpression();
            count = 1 + MoreArguments();
        }
        Expect(TokenKind::RightParenthesis, ErrorCode::ExpectedRightParenthesis);
        return count;
    }

    void ParseExpression() { Binary(kImp); }

    // Precedence climbing: operators of the same level group to the left.
    void Binary(int lowest)
    {
        Operand();
        ContinueBinary(lowest);
    }

    void ContinueBinary(int lowest)
    {
        for (BinaryToken next = OperatorAt(token_.kind); next.precedence >= lowest && next.precedence != kNoOperator;
             next = OperatorAt(token_.kind)) {
            const std::size_t position = token_.position;
            Advance();
            Binary(next.precedence + 1);
            Emit(Instruction{.op = Op::Binary, .binary = next.op, .position = position});
        }
    }

    // Signs, then a power: unary minus binds looser than ^, so -2^2 is -4.
    void Operand()
    {
        const bool negative = Signs();
        if (token_.kind == TokenKind::Not) {
            NotOperand();
        } else {
            Primary();
            PowerChain();
        }
        if (negative)
            Emit(Op::Negate);
    }

    // Not takes a comparison: Not 1 = 2 is Not (1 = 2).
    void NotOperand()
    {
        const std::size_t position = token_.position;
        const NestingLevel level(depth_, position);
        Advance();
        Binary(kComparison);
        Emit(Instruction{.op = Op::Not, .position = position});
    }

    // ^ groups to the left (2^3^2 is 64), and its right operand may carry
    // its own signs (2^-1 is 0.5).
    void PowerChain()
    {
        while (token_.kind == TokenKind::Caret) {
            const std::size_t position = token_.position;
            Advance();
            const bool negative = Signs();
            if (token_.kind == TokenKind::Not)
                NotOperand();
            else
                Primary();
            if (negative)
                Emit(Op::Negate);
            Emit(Instruction{.op = Op::Binary, .binary = BinaryOperator::Power, .position = position});
        }
    }

    // Whether the signs at the token negate.
    bool Signs()
    {
        bool negative = false;
        for (; token_.kind == TokenKind::Minus || token_.kind == TokenKind::Plus; Advance())
            negative ^= token_.kind == TokenKind::Minus;
        return negative;
    }

    void Primary()
    {
        switch (token_.kind) {
        case TokenKind::Number:
            Emit(Instruction{.op = Op::Push, .number = token_.number});
            Advance();
            return;
        case TokenKind::True:
        case TokenKind::False:
            Emit(Instruction{.op = Op::Push, .number = token_.kind == TokenKind::True ? -1.0 : 0.0});
            Advance();
            return;
        case TokenKind::String:
            Emit(Instruction{.op = Op::Fail, .error = ErrorCode::TypeMismatch, .position = token_.position});
            Advance();
            return;
        case TokenKind::LeftParenthesis: {
            const NestingLevel level(depth_, token_.position);
            Advance();
            ParseExpression();
            Expect(TokenKind::RightParenthesis, ErrorCode::ExpectedRightParenthesis);
            return;
        }
        case TokenKind::Name: {
            Instruction reference = Reference();
            if (token_.kind == TokenKind::LeftParenthesis) {
                reference.op = Calling(reference);
                reference.count = Arguments();
            }
            Emit(reference);
            return;
        }
        case TokenKind::Reserved: Unexpected(ErrorCode::SyntaxError);
        default: Unexpected(ErrorCode::ExpectedExpression);
        }
    }

    Lexer lexer_;
    Token token_;
    Program program_;
    std::unordered_map<std::string, std::uint32_t> index_; // of program_.names
    int depth_ = 0;
};

template <typename Parse>
std::variant<Program, Failure> Compile(std::string_view text, Parse parse)
{
    try {
        Compiler compiler(text);
        return parse(compiler);
    } catch (const CompileFailure& failure) {
        return failure.failure;
    }
}

} // namespace

std::variant<Program, Failure> CompileStatements(std::string_view text)
{
    return Compile(text, [](Compiler& compiler) { return compiler.Statements(); });
}

std::variant<Program, Failure> CompileExpression(std::string_view text)
{
    return Compile(text, [](Compiler& compiler) { return compiler.Expression(); });
}

} // namespace tavex::script
