#include "io/export/coefficient_export.h"

#include "io/export/piece_buffer.h"
#include "io/listing/coefficient_listing.h"
#include "io/text/json_text.h"
#include "model/index_walk.h"
#include "model/number_text.h"

#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace tavex {

namespace {

void AppendShortest(std::string& out, double value)
{
    assert(std::isfinite(value));
    // A reader that takes "-0" for the integer 0 would lose the sign.
    if (value == 0.0 && std::signbit(value)) {
        out += "-0.0";
        return;
    }
    char buffer[kMaxNumberText];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    assert(result.ec == std::errc());
    out.append(buffer, result.ptr);
}

// --- CSV ---

constexpr char kCsvLineEnd[] = "\r\n";

void AppendCsvField(std::string& out, std::string_view field)
{
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += field;
        return;
    }
    out += '"';
    for (const char c : field) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

// 17 significant digits, as other programs' readers expect of a double's
// full text; any 17 digits read back to the same double.
void AppendCsvNumber(std::string& out, double value)
{
    if (std::isfinite(value)) {
        char buffer[kMaxNumberText];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
        assert(result.ec == std::errc());
        out.append(buffer, result.ptr);
    } else
        out += TextOfNumber(value); // "inf", "-inf", "nan": what strtod and most readers take
}

// --- JSON ---

void AppendJsonNumber(std::string& out, double value)
{
    if (std::isfinite(value))
        AppendShortest(out, value);
    else
        out += "null";
}

void AppendJsonVariable(PieceBuffer& buffer, const ProblemModel& model, int k)
{
    const auto s = static_cast<std::size_t>(k);
    std::string& out = buffer.text();
    out += "    {\n      \"name\": ";
    AppendJsonString(out, model.NameOf(k));
    out += ",\n      \"kind\": ";
    out += model.IsTrigonometric(k) ? "\"trigonometric\"" : "\"power\"";
    out += ",\n      \"center\": ";
    AppendJsonNumber(out, model.Var(k).center);
    out += ",\n      \"period\": ";
    AppendJsonNumber(out, model.Var(k).period);
    out += ",\n      \"values\": [";
    for (int i = 0; i <= model.Var(k).valueUpper; ++i) {
        if (i > 0)
            out += ", ";
        AppendJsonNumber(out, model.Var(k).Value(i));
        buffer.PassFull();
    }
    out += "],\n      \"terms\": [";
    PerVariable<int> alone{};
    for (int j = 0; j <= model.Var(k).valueUpper; ++j) {
        if (j > 0)
            out += ", ";
        alone[s] = j;
        AppendJsonString(out, TermText(model, alone));
        buffer.PassFull();
    }
    out += "]\n    }";
}

void WriteCsv(const ProblemModel& model, const TextSink& sink)
{
    PieceBuffer buffer(sink);
    std::string& out = buffer.text();
    for (int k = 0; k <= model.lastVar; ++k)
        out.append("j").append(std::to_string(k)).append(",");
    out.append("term,coefficient").append(kCsvLineEnd);
    // Every term in the listing's order, the first index fastest.
    ForEachIndex(model.UpperIndices(), [&](const PerVariable<int>& j) {
        for (int k = 0; k <= model.lastVar; ++k)
            out.append(std::to_string(j[static_cast<std::size_t>(k)])).append(",");
        AppendCsvField(out, TermText(model, j));
        out += ',';
        AppendCsvNumber(out, model.coef.At(j));
        out += kCsvLineEnd;
        buffer.PassFull();
    });
    buffer.PassRest();
}

void WriteJson(const ProblemModel& model, const TextSink& sink)
{
    PieceBuffer buffer(sink);
    std::string& out = buffer.text();
    out += "{\n  \"format\": \"tavex coefficients\",\n  \"version\": 1,\n  \"variables\": [\n";
    for (int k = 0; k <= model.lastVar; ++k) {
        AppendJsonVariable(buffer, model, k);
        out += k < model.lastVar ? ",\n" : "\n";
    }
    out += "  ],\n  \"order\": \"first index fastest\",\n  \"coefficients\": [";
    bool first = true;
    // Every term in the listing's order, the first index fastest.
    ForEachIndex(model.UpperIndices(), [&](const PerVariable<int>& j) {
        // A line per run of the first index, as the listing groups them.
        out += first ? "\n    " : j[0] == 0 ? ",\n    " : ", ";
        first = false;
        AppendJsonNumber(out, model.coef.At(j));
        buffer.PassFull();
    });
    out += "\n  ]\n}\n";
    buffer.PassRest();
}

} // namespace

std::string ExportRefusal(const ProblemModel& model)
{
    return model.IsComputed() ? std::string() : "The problem holds no computed coefficients; compute first.";
}

void WriteCoefficients(const ProblemModel& model, CoefficientFormat format, const TextSink& sink)
{
    assert(model.IsComputed());
    if (format == CoefficientFormat::Json)
        WriteJson(model, sink);
    else
        WriteCsv(model, sink);
}

} // namespace tavex
