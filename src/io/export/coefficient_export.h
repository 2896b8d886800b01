#pragma once

#include "io/text/text_sink.h"
#include "model/problem_model.h"

#include <string>

namespace tavex {

// The coefficients written for other programs to read. JSON numbers are the
// shortest text that reads back to the very same double ("0.1", "1e+22"),
// negative zero as "-0.0" so that a reader that turns "-0" into the integer 0
// keeps its sign.
//
// CSV (RFC 4180, lines ended by CR LF): the header "j0" to "j3", one per
// variable, "term", "coefficient"; then a row per coefficient in the listing's
// order, the first index fastest: the indices, the term as the listing writes
// it (empty for the constant), the value with 17 significant digits ("inf",
// "-inf" or "nan" for one that is not finite). A term holding a comma, a
// double quote or a line end is quoted, its quotes doubled.
//
// JSON (UTF-8; a name's bytes that are not UTF-8 are read as Latin-1):
//   {"format": "tavex coefficients", "version": 1,
//    "variables": [{"name", "kind": "power" | "trigonometric", "center",
//                   "period", "values": [...], "terms": [...]}, ...],
//    "order": "first index fastest",
//    "coefficients": [...]}
// "terms" holds the listing's factor for each index of the variable alone, so
// the order of the basis is in the file; "coefficients" is flat, coefficient
// (j0, j1, j2, j3) at j0 + n0 * (j1 + n1 * (j2 + n2 * j3)), n the counts of
// values, a line per run of j0. A number that is not finite is null.

enum class CoefficientFormat { Csv, Json };

// "The problem holds no computed coefficients; compute first." when there is
// nothing to write; empty otherwise.
std::string ExportRefusal(const ProblemModel& model);

// Writes the model's coefficients to the sink in large pieces, as they are
// laid out. The model must hold computed coefficients (ExportRefusal empty).
void WriteCoefficients(const ProblemModel& model, CoefficientFormat format, const TextSink& sink);

} // namespace tavex
