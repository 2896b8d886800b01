// eval: the stored expansion at points from the command line or standard input.
#include "command_support.h"
#include "commands.h"
#include "engine/evaluate.h"
#include "engine/evaluate_many.h"
#include "model/number_text.h"
#include "output.h"

#include <iostream>
#include <vector>

namespace tavex::cli {

namespace {

// Points from standard input are evaluated this many at a time: enough for
// full batches on every thread, few enough to keep the memory small.
constexpr std::size_t kBlockPoints = 4096;

// Coordinates on a line of standard input are separated by blanks, tabs or
// commas; a CR of a CR LF line end is a blank too.
std::vector<std::string_view> SplitCoordinates(std::string_view line)
{
    std::vector<std::string_view> parts;
    std::size_t i = 0;
    while (i < line.size()) {
        const std::size_t start = line.find_first_not_of(" \t,\r", i);
        if (start == std::string_view::npos)
            break;
        std::size_t end = line.find_first_of(" \t,\r", start);
        if (end == std::string_view::npos)
            end = line.size();
        parts.push_back(line.substr(start, end - start));
        i = end;
    }
    return parts;
}

// The point's offsets from the centers as the evaluation window takes them,
// each coordinate the number its text begins with.
PerVariable<double> OffsetsOf(const ProblemModel& model, const std::vector<std::string_view>& coordinates)
{
    PerVariable<double> offsets{};
    for (int k = 0; k <= model.lastVar; ++k) {
        const auto s = static_cast<std::size_t>(k);
        offsets[s] = LeadingNumber(coordinates[s]) - model.center[s];
    }
    return offsets;
}

// Prints the values at the points, in order, and empties the list. The
// problem holds coefficients: HasCoefficients came first.
void EvaluateBlock(const ProblemModel& model, std::vector<PerVariable<double>>& points, LineWriter& out)
{
    const std::vector<double> values = EvaluateMany(model, points).value();
    for (const double value : values)
        out.Line(TextOfNumber(value));
    points.clear();
}

std::string CountMismatch(const ProblemModel& model, std::size_t given)
{
    return std::to_string(given) + " coordinates given for a problem of " + std::to_string(model.lastVar + 1)
         + " variables";
}

} // namespace

int RunEval(Arguments arguments)
{
    if (ShowHelpIfAsked("eval", arguments))
        return kExitDone;
    if (arguments.empty())
        return UsageError("eval", "expects a PROBLEM file and optionally a point");
    const std::string path(arguments[0]);

    ProblemModel model;
    ShownSpecs shown;
    if (!OpenProblem(path, model, shown))
        return kExitError;
    if (!HasCoefficients(path, model))
        return kExitNoResult;
    const auto variables = static_cast<std::size_t>(model.lastVar) + 1;

    LineWriter out(stdout);
    if (arguments.size() > 1) {
        const std::vector<std::string_view> point(arguments.begin() + 1, arguments.end());
        if (point.size() != variables)
            return UsageError("eval", CountMismatch(model, point.size()));
        out.Line(TextOfNumber(Evaluate(model, OffsetsOf(model, point)).value()));
    } else {
        std::vector<PerVariable<double>> points;
        std::string line;
        int lineNumber = 0;
        while (std::getline(std::cin, line)) {
            ++lineNumber;
            const std::vector<std::string_view> point = SplitCoordinates(line);
            if (point.empty())
                continue;
            if (point.size() != variables) {
                EvaluateBlock(model, points, out); // the values before the faulty line come first
                out.Flush();
                ReportError("standard input, line " + std::to_string(lineNumber) + ": "
                            + CountMismatch(model, point.size()));
                return kExitError;
            }
            points.push_back(OffsetsOf(model, point));
            if (points.size() == kBlockPoints)
                EvaluateBlock(model, points, out);
        }
        EvaluateBlock(model, points, out);
    }
    return FinishOutput(out);
}

} // namespace tavex::cli
