#include "commands/export_command.h"

#include "commands/calculus_command.h"
#include "commands/fit_report.h"
#include "engine/derivative.h"
#include "io/problem/problem_file_reader.h"
#include "io/text/replace_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <new>

namespace tavex::command {

ExportFormat ExportFormatFor(std::string_view path)
{
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    static constexpr std::pair<std::string_view, CodeLanguage> kCode[] = {
        {".c", CodeLanguage::C},        {".hpp", CodeLanguage::Cpp},        {".py", CodeLanguage::Python},
        {".f90", CodeLanguage::Fortran}, {".js", CodeLanguage::JavaScript}, {".m", CodeLanguage::Matlab},
    };
    for (const auto& [suffix, language] : kCode)
        if (extension == suffix)
            return language;
    return extension == ".json" ? CoefficientFormat::Json : CoefficientFormat::Csv;
}

std::string CodeNameFor(std::string_view path)
{
    const std::string stem = std::filesystem::path(path).stem().string();
    return CodeNameRefusal(stem).empty() ? stem : ExportOptions().name;
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

std::optional<std::string> WriteExport(const ProblemModel& model, const std::string& problemFile,
                                       const ExportFormat& format, const ExportOptions& options,
                                       const TextSink& sink)
{
    if (std::string refusal = ExportRefusal(model); !refusal.empty())
        return refusal;
    std::optional<ProblemModel> derivative;
    if (options.orders != PerVariable<int>{}) {
        derivative = Derivative(model, options.orders);
        if (!derivative)
            return "the derivative's coefficients do not fit in memory";
    }
    const ProblemModel& exported = derivative ? *derivative : model;
    if (const auto* table = std::get_if<CoefficientFormat>(&format)) {
        WriteCoefficients(exported, *table, sink);
        return std::nullopt;
    }
    CodeHeader header;
    header.problemFile = problemFile;
    header.function = DerivativeName(model, options.orders);
    // Factoring the bases again and rebuilding the table costs about 0.05 s
    // on 40^4 values, little beside laying out the file.
    if (const std::optional<FitFigures> figures = MeasureFit(model, 0))
        header.fitLine = (derivative ? std::string("Of f: ") : std::string()).append(FitLine(*figures));
    WriteCode(exported, std::get<CodeLanguage>(format), options.name, header, sink);
    return std::nullopt;
}

FileOutcome ExportCoefficients(const ProblemModel& model, const std::string& problemFile, const std::string& path,
                               const ExportFormat& format, const ExportOptions& options)
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
        std::optional<std::string> refused;
        const auto write = [&](const TextSink& sink) { refused = WriteExport(model, problemFile, format, options, sink); };
        if (FileOutcome staged = replacement.Stage(path, write); !staged.ok)
            return staged;
        if (refused)
            return FileOutcome::Failure(path + ": cannot export: " + *refused);
    } catch (const std::bad_alloc&) {
        return FileOutcome::Failure(path + ": cannot export: not enough memory to lay out the file");
    }
    return replacement.Commit();
}

} // namespace tavex::command
