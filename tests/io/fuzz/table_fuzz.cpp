// libFuzzer target: the table reader of Import table on any text, with and
// without options naming its first variable. Nothing may crash, leak or take
// long; a refusal says why; a table read makes a problem whose invariants hold.
#include "io/table/table_import.h"
#include "model/model_invariants.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace tavex;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TableImportOptions trigonometric;
    trigonometric.trigonometric = {"x"};
    trigonometric.centers["x"] = "0.5";
    trigonometric.periods["x"] = "*";
    for (const TableImportOptions& options : {TableImportOptions{}, trigonometric}) {
        OpenedProblem imported;
        const FileOutcome outcome = ParseTable(text, "t.csv", options, imported);
        if (!outcome.ok) {
            if (outcome.message.empty())
                std::abort();
            continue;
        }
        if (!BrokenInvariant(imported.model).empty())
            std::abort();
    }
    return 0;
}
