#pragma once

#include "io/export/code_export.h"
#include "io/export/coefficient_export.h"
#include "io/text/file_outcome.h"
#include "model/problem_model.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace tavex::command {

// What Export writes: the coefficients as a table, or the expansion as code.
using ExportFormat = std::variant<CoefficientFormat, CodeLanguage>;

// The format a file name asks for by its extension, in any letter case:
// ".json" JSON; ".c" C, ".hpp" C++, ".py" Python, ".f90" Fortran, ".js"
// JavaScript, ".m" MATLAB; CSV otherwise (".csv", ".txt", none at all).
ExportFormat ExportFormatFor(std::string_view path);

// The function's name in code exported to path: the file's base name when
// CodeNameRefusal takes it (MATLAB finds a function by its file's name),
// "tavex_fit" otherwise.
std::string CodeNameFor(std::string_view path);

struct ExportOptions {
    std::string name = "tavex_fit"; // of the function in code; CodeNameRefusal must take it
    PerVariable<int> orders{};      // the partial derivative to export, all 0 for the expansion itself
};

// Writes the export of the model's coefficients to the sink, or returns why
// it cannot: no computed coefficients, or a derivative too large for memory.
std::optional<std::string> WriteExport(const ProblemModel& model, const std::string& problemFile,
                                       const ExportFormat& format, const ExportOptions& options,
                                       const TextSink& sink);

// Export: WriteExport to the file at path, written beside it and renamed
// over it once complete, as Save does, so that a failure leaves an existing
// file as it was. Refused, with no file touched, when the problem holds no
// computed coefficients, or when path is problemFile (empty: none) or its
// data file.
FileOutcome ExportCoefficients(const ProblemModel& model, const std::string& problemFile, const std::string& path,
                               const ExportFormat& format, const ExportOptions& options = {});

} // namespace tavex::command
