#pragma once

#include "io/export/coefficient_export.h"
#include "io/text/file_outcome.h"
#include "model/problem_model.h"

#include <string>
#include <string_view>

namespace tavex::command {

// The format a file name asks for: JSON when its extension is ".json" in any
// letter case, CSV otherwise (".csv", ".txt", none at all).
CoefficientFormat ExportFormatFor(std::string_view path);

// Export: the coefficients to the file at path, written beside it and renamed
// over it once complete, as Save does, so that a failure leaves an existing
// file as it was. Refused, with no file touched, when the problem holds no
// computed coefficients, or when path is problemFile (empty: none) or its
// data file.
FileOutcome ExportCoefficients(const ProblemModel& model, const std::string& problemFile, const std::string& path,
                               CoefficientFormat format);

} // namespace tavex::command
