// eval: the stored expansion at points from the command line or standard input.
#include "command_support.h"
#include "commands.h"
#include "commands/calculus_command.h"
#include "commands/evaluate_command.h"
#include "engine/derivative.h"
#include "engine/evaluate_many.h"
#include "model/number_text.h"
#include "output.h"

#include <iostream>
#include <optional>
#include <string>
#include <variant>
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

// Evaluates points block by block and prints a line for each, in order:
// the approximation, or with a function the approximation, the function's
// value from the script host and their difference.
class PointPrinter final {
public:
    PointPrinter(const ProblemModel& model, std::string_view function, LineWriter& out)
        : model_(model), function_(function), out_(out)
    {
        command::StartScriptHost(host_, math_);
    }

    // Adds a point (its coordinates' texts); `where` names it in an error.
    // Nothing is added for a coordinate no double holds: the refusal is returned.
    std::optional<std::string> Add(const std::vector<std::string_view>& coordinates, std::string where)
    {
        PerVariable<double> point{};
        for (int k = 0; k <= model_.lastVar; ++k) {
            const std::string_view text = coordinates[static_cast<std::size_t>(k)];
            if (std::optional<std::string> refusal = command::CoordinateRefusal(model_, k, text))
                return refusal;
            point[static_cast<std::size_t>(k)] = LeadingNumber(text);
        }
        points_.push_back(point);
        where_.push_back(std::move(where));
        return std::nullopt;
    }
    std::size_t Pending() const { return points_.size(); }

    // Prints the pending points; false, after the points before it, at the
    // first point whose function the script host cannot evaluate.
    bool Flush()
    {
        // The problem holds coefficients: HasCoefficients came first.
        const std::vector<double> values = EvaluateMany(model_, points_).value();
        for (std::size_t i = 0; i < values.size(); ++i)
            if (!Print(i, values[i]))
                return false;
        points_.clear();
        where_.clear();
        return true;
    }

private:
    bool Print(std::size_t i, double approximation)
    {
        if (!command::HasFormula(function_)) {
            out_.Line(TextOfNumber(approximation));
            return true;
        }
        const std::variant<double, std::string> value = command::FunctionAt(host_, model_, points_[i], function_);
        if (const auto* failed = std::get_if<std::string>(&value)) {
            out_.Flush();
            ReportError(where_[i] + ": " + *failed);
            return false;
        }
        const double function = std::get<double>(value);
        out_.Line(TextOfNumber(approximation) + " " + TextOfNumber(function) + " "
                  + TextOfNumber(approximation - function));
        return true;
    }

    const ProblemModel& model_;
    std::string function_;
    LineWriter& out_;
    script::MathObject math_;
    script::ScriptHost host_;
    std::vector<PerVariable<double>> points_;
    std::vector<std::string> where_;
};

// "the point 2 3": the coordinates as given.
std::string PointName(const std::vector<std::string_view>& coordinates)
{
    std::string name = "the point";
    for (const std::string_view coordinate : coordinates)
        name.append(" ").append(coordinate);
    return name;
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
    // --function EXPR and --derivative ORDERS may stand anywhere after PROBLEM.
    std::string function;
    std::optional<std::string_view> derivative;
    std::vector<std::string_view> rest;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (i > 0 && (argument == "--function" || argument == "--derivative")) {
            if (i + 1 == arguments.size())
                return UsageError("eval", std::string(argument) + " expects a value");
            if (argument == "--function")
                function = arguments[++i];
            else if (derivative)
                return UsageError("eval", "--derivative given twice");
            else
                derivative = arguments[++i];
        } else {
            rest.push_back(arguments[i]);
        }
    }
    if (rest.empty())
        return UsageError("eval", "expects a PROBLEM file and optionally a point");
    std::string path(rest[0]);

    ProblemModel model;
    ShownSpecs shown;
    if (!OpenProblem(path, model, shown))
        return kExitError;
    if (!HasCoefficients(path, model))
        return kExitNoResult;
    if (derivative) {
        const std::variant<PerVariable<int>, std::string> orders = command::ReadDerivativeOrders(model, *derivative);
        if (const auto* refusal = std::get_if<std::string>(&orders))
            return UsageError("eval", "--derivative: " + *refusal);
        std::optional<ProblemModel> expansion = Derivative(model, std::get<PerVariable<int>>(orders));
        if (!expansion) {
            ReportError(path + ": the derivative's coefficients do not fit in memory");
            return kExitNoResult;
        }
        model = std::move(*expansion);
    }
    const auto variables = static_cast<std::size_t>(model.lastVar) + 1;

    LineWriter out(stdout);
    PointPrinter printer(model, function, out);
    if (rest.size() > 1) {
        const std::vector<std::string_view> point(rest.begin() + 1, rest.end());
        if (point.size() != variables)
            return UsageError("eval", CountMismatch(model, point.size()));
        if (const std::optional<std::string> refusal = printer.Add(point, PointName(point))) {
            ReportError(*refusal);
            return kExitError;
        }
    } else {
        std::string line;
        int lineNumber = 0;
        while (std::getline(std::cin, line)) {
            ++lineNumber;
            const std::vector<std::string_view> point = SplitCoordinates(line);
            if (point.empty())
                continue;
            const std::string where = "standard input, line " + std::to_string(lineNumber);
            std::optional<std::string> fault;
            if (point.size() != variables)
                fault = CountMismatch(model, point.size());
            else
                fault = printer.Add(point, where + ", " + PointName(point));
            if (fault) {
                // The values before the faulty line come first.
                if (printer.Flush()) {
                    out.Flush();
                    ReportError(where + ": " + *fault);
                }
                return kExitError;
            }
            if (printer.Pending() == kBlockPoints && !printer.Flush())
                return kExitError;
        }
    }
    if (!printer.Flush())
        return kExitError;
    return FinishOutput(out);
}

} // namespace tavex::cli
