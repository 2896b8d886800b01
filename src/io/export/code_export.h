#pragma once

#include "io/text/text_sink.h"
#include "model/problem_model.h"

#include <string>
#include <string_view>

namespace tavex {

// The expansion as a self-contained source file: the coefficients as a
// static table (first index fastest), the evaluation as loops that do
// Evaluate's operations in Evaluate's order, nothing needed but the
// language's math library. C, C++ and Python give Evaluate's values bit for
// bit (C and C++ compiled without floating-point contraction); JavaScript,
// Fortran and MATLAB to rounding, their sin and cos being their own.
//
//   C           double NAME(const double x[])
//   C++         inline double tavex_fit::NAME(std::span<const double> x), a header
//   Python      def NAME(x0, x1, ...)
//   Fortran     module NAME_m, pure function NAME(x), real(real64) :: x(:)
//   JavaScript  function NAME(x0, x1, ...), in module.exports
//   MATLAB      function f = NAME(x0, x1, ...), element-wise over same-size arrays

enum class CodeLanguage { C, Cpp, Python, Fortran, JavaScript, Matlab };

struct CodeHeader {
    std::string problemFile;    // named in the header comment
    std::string function = "f"; // which derivative the coefficients are of (command::DerivativeName)
    std::string fitLine;        // the fit's figures, empty when not measured
};

inline constexpr std::size_t kMaxCodeNameLength = 63;

// Letters, digits and underscores, not starting with a digit, at most
// kMaxCodeNameLength, and neither a keyword of one of the languages nor a
// name the written code uses itself; otherwise the one line that says why.
std::string CodeNameRefusal(std::string_view name);

// Writes the file to the sink in large pieces. The model must hold computed
// coefficients and name must be accepted by CodeNameRefusal.
void WriteCode(const ProblemModel& model, CodeLanguage language, std::string_view name, const CodeHeader& header,
               const TextSink& sink);

} // namespace tavex
