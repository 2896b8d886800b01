// libFuzzer target: the host as the program sets it up, then the input as
// statements and as an expression. Nothing may crash, leak or take long, and
// every failure is raised exactly once with a number, a description and a place.
#include "script/constant_statements.h"
#include "script/script_host.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace tavex::script;
    MathObject math;
    std::int32_t ownerIerr = 0;
    math.ownerIerr = &ownerIerr;
    ScriptHost host;
    host.AddObject("sh", math, true);
    int raised = 0;
    host.onError = [&raised](const ScriptError& error) {
        ++raised;
        if (error.number <= 0 || error.description.empty() || error.line < 1 || error.column < 0)
            std::abort();
    };
    for (const std::string_view statement : kConstantStatements)
        if (host.ExecuteStatement(statement))
            std::abort();

    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const int expected = host.ExecuteStatement(text) ? 1 : 0;
    const auto value = host.Eval(text);
    if (raised != expected + (std::holds_alternative<ScriptError>(value) ? 1 : 0))
        std::abort();
    host.Value(text);
    return 0;
}
