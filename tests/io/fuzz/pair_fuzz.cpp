// libFuzzer target: the problem pair's reader on any two texts, the input
// split at its first NUL byte into the problem file and its data file.
// Nothing may crash, leak or take long; a refusal says why; a pair read keeps
// the model's invariants, and what Save would write of it (Save refuses, with
// a message, names the files cannot keep) reads back.
#include "io/problem/problem_file_reader.h"
#include "io/problem/problem_file_writer.h"
#include "model/model_invariants.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace tavex;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t cut = input.find('\0');
    const std::string_view problem = input.substr(0, cut);
    const std::string_view dataFile = cut == std::string_view::npos ? std::string_view() : input.substr(cut + 1);

    OpenedProblem opened;
    const FileOutcome outcome = ParseProblemFiles(problem, dataFile, "p", opened);
    if (!outcome.ok) {
        if (outcome.message.empty())
            std::abort();
        return 0;
    }
    if (!BrokenInvariant(opened.model).empty())
        std::abort();
    if (const FileOutcome savable = CheckSavable(opened.model, "p"); !savable.ok) {
        if (savable.message.empty())
            std::abort();
        return 0;
    }
    OpenedProblem again;
    if (!ParseProblemFiles(ProblemFileText(opened.model), DataFileText(opened.model), "p", again).ok)
        std::abort();
    return 0;
}
