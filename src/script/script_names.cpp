#include "script/script_names.h"

#include "script/compiler.h"
#include "script/lexer.h"
#include "script/lower_case.h"

#include <algorithm>

namespace tavex::script {

namespace {

std::string_view WithoutBlanks(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

bool IsIdentifier(std::string_view name)
{
    // The lexer decides, so that a reserved word, a comment ("Rem") or a line
    // continuation counts as the statement would take it.
    const std::string_view trimmed = WithoutBlanks(name);
    Lexer lexer(trimmed);
    const Token token = lexer.Next();
    return token.kind == TokenKind::Name && token.text.size() == trimmed.size()
        && lexer.Next().kind == TokenKind::End;
}

bool ReadsName(std::string_view expression, std::string_view name)
{
    const auto compiled = CompileExpression(expression);
    const Program* program = std::get_if<Program>(&compiled);
    if (!program)
        return false;
    const std::string lower = LowerCase(WithoutBlanks(name));
    return std::any_of(program->code.begin(), program->code.end(), [&](const Instruction& step) {
        return step.op == Op::Load && program->names[step.name] == lower;
    });
}

} // namespace tavex::script
