#include "io/listing/report_lines.h"

#include "engine/kinds/basis_kind.h"
#include "io/listing/coefficient_listing.h"
#include "io/text/number_line.h"
#include "model/number_text.h"

#include <string>

namespace tavex {

namespace {

std::string LabelledNumber(std::string_view label, double value)
{
    std::string line(label);
    AppendPrintedNumber(line, value);
    return line;
}

// "name=value", the header of a value of an outer variable.
std::string ValueHeader(const ProblemModel& model, int k, int i, std::size_t indent)
{
    return std::string(indent, ' ').append(model.NameOf(k)).append("=").append(TextOfNumber(model.Var(k).Value(i)));
}

std::string DataLine(const ProblemModel& model, int i0, int i1, int i2, int i3)
{
    std::string line = ValueHeader(model, 0, i0, 3);
    line.append(kDataLinePadding, ' ');
    const std::string function = "FUNCTION=" + TextOfNumber(model.funTable(i0, i1, i2, i3));
    if (line.size() > kFunctionColumn) {
        const std::size_t room = line.size() - kFunctionColumn;
        line.replace(kFunctionColumn, std::min(room, function.size()), function.substr(0, room));
    }
    return line;
}

} // namespace

void PrintVariableBlocks(const ProblemModel& model, const LineSink& sink)
{
    for (int k = 0; k <= model.lastVar; ++k) {
        const Variable& variable = model.Var(k);
        sink("");
        sink("           VARIABLE: " + variable.name);
        const BasisKind& kind = BasisKindOf(variable.kind);
        sink(std::string("               TYPE: ").append(kind.TypeName()));
        sink(LabelledNumber("         # OF TERMS:", static_cast<double>(variable.valueUpper) + 1.0));
        std::string interval = LabelledNumber("           INTERVAL: [", variable.lowerLimit);
        interval += ",";
        AppendPrintedNumber(interval, variable.upperLimit);
        interval += "]";
        sink(interval);
        sink(LabelledNumber("CENTER OF EXPANSION:", variable.center));
        if (kind.HasPeriod())
            sink(LabelledNumber("             PERIOD:", variable.period));
    }
}

void PrintCoefficients(const ProblemModel& model, const LineSink& sink)
{
    sink("");
    const CoefficientListing listing(model);
    // Row 0 of the listing is its heading.
    for (std::size_t row = 0; row < listing.LineCount(); ++row) {
        sink(listing.Line(row));
        if (row == 0)
            sink("");
    }
}

void PrintData(const ProblemModel& model, const LineSink& sink)
{
    sink("");
    sink("DATA:");
    sink("");
    const PerVariable<int> upper = model.UpperIndices();
    for (int i3 = 0; i3 <= upper[3]; ++i3) {
        if (upper[3] != 0)
            sink(ValueHeader(model, 3, i3, 0));
        for (int i2 = 0; i2 <= upper[2]; ++i2) {
            if (upper[2] != 0)
                sink(ValueHeader(model, 2, i2, 1));
            for (int i1 = 0; i1 <= upper[1]; ++i1) {
                if (upper[1] != 0)
                    sink(ValueHeader(model, 1, i1, 2));
                for (int i0 = 0; i0 <= upper[0]; ++i0)
                    sink(DataLine(model, i0, i1, i2, i3));
                sink("");
            }
            sink("");
        }
        sink("");
    }
}

void PrintReport(const ProblemModel& model, const LineSink& sink)
{
    PrintVariableBlocks(model, sink);
    if (model.IsComputed())
        PrintCoefficients(model, sink);
    else
        PrintData(model, sink);
}

} // namespace tavex
