#include "commands/export_command.h"

#include "io/problem/problem_file_reader.h"
#include "io/text/replace_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <new>

namespace tavex::command {

CoefficientFormat ExportFormatFor(std::string_view path)
{
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".json" ? CoefficientFormat::Json : CoefficientFormat::Csv;
}

namespace {

// Whether path is the problem file or its data file, which an export would
// replace with the coefficients. Names that do not exist yet are no threat.
bool IsFileOfProblem(const std::string& path, const std::string& problemFile)
{
    if (problemFile.empty())
        return false;
    std::error_code ignored;
    return std::filesystem::equivalent(path, problemFile, ignored)
        || std::filesystem::equivalent(path, DataFilePath(problemFile), ignored);
}

} // namespace

FileOutcome ExportCoefficients(const ProblemModel& model, const std::string& problemFile, const std::string& path,
                               CoefficientFormat format)
{
    if (const std::string refusal = ExportRefusal(model); !refusal.empty())
        return FileOutcome::Failure(refusal + " Nothing was exported.");
    if (path.empty())
        return FileOutcome::Failure("cannot export: no file name");
    if (IsFileOfProblem(path, problemFile))
        return FileOutcome::Failure(path + ": cannot export: it is a file of the problem " + problemFile
                                    + "; choose another name");
    FileReplacement replacement;
    try {
        const auto write = [&](const TextSink& sink) { WriteCoefficients(model, format, sink); };
        if (FileOutcome staged = replacement.Stage(path, write); !staged.ok)
            return staged;
    } catch (const std::bad_alloc&) {
        return FileOutcome::Failure(path + ": cannot export: not enough memory to lay out the file");
    }
    return replacement.Commit();
}

} // namespace tavex::command
