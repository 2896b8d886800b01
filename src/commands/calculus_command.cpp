#include "commands/calculus_command.h"

#include "base/number_scan.h"
#include "commands/blanks.h"
#include "commands/evaluate_command.h"
#include "engine/derivative.h"
#include "engine/evaluate.h"
#include "model/number_text.h"

#include <cassert>
#include <cmath>

namespace tavex::command {

namespace {

// The variable named `name`, or -1.
int VariableNamed(const ProblemModel& model, std::string_view name)
{
    for (int k = 0; k <= model.lastVar; ++k)
        if (model.NameOf(k) == name)
            return k;
    return -1;
}

// "'text' rest", built by appending: GCC misreads a sum starting with a short literal.
std::string Quoted(std::string_view text, std::string_view rest)
{
    std::string line;
    return line.append("'").append(text).append("'").append(rest);
}

std::string NotAVariable(const ProblemModel& model, std::string_view name)
{
    std::string line = Quoted(name, " is not a variable of the problem (");
    for (int k = 0; k <= model.lastVar; ++k)
        line.append(k > 0 ? ", " : "").append(model.NameOf(k));
    return line + ")";
}

// The text as one finite number, or nothing.
std::optional<double> WholeNumber(std::string_view text)
{
    const std::string_view number = WithoutBlanks(text);
    if (!IsWholeNumber(number))
        return std::nullopt;
    const double value = ScanNumber(number).value;
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

std::variant<PerVariable<int>, std::string> ReadDerivativeOrders(const ProblemModel& model, std::string_view text)
{
    PerVariable<int> orders{};
    PerVariable<bool> given{};
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        const std::string_view item = text.substr(start, comma == std::string_view::npos ? comma : comma - start);
        const std::size_t equals = item.find('=');
        if (equals == std::string_view::npos)
            return Quoted(WithoutBlanks(item), " is not NAME=ORDER");
        const std::string_view name = WithoutBlanks(item.substr(0, equals));
        const int k = VariableNamed(model, name);
        if (k < 0)
            return NotAVariable(model, name);
        const auto slot = static_cast<std::size_t>(k);
        if (given[slot])
            return std::string(name) + " is given twice";
        given[slot] = true;
        const std::string_view orderText = WithoutBlanks(item.substr(equals + 1));
        const std::optional<double> order = WholeNumber(orderText);
        if (!order || *order != std::floor(*order) || *order < 0 || *order > kMaxDerivativeOrder)
            return std::string("the order of ")
                .append(name)
                .append(" must be a whole number from 0 to ")
                .append(std::to_string(kMaxDerivativeOrder))
                .append(", not ")
                .append(Quoted(orderText, ""));
        orders[slot] = static_cast<int>(*order);
        if (comma == std::string_view::npos)
            return orders;
        start = comma + 1;
    }
}

std::optional<std::string> ReadIntegrationSide(const ProblemModel& model, std::string_view text, IntegrationBox& box)
{
    const std::size_t equals = text.find('=');
    const std::size_t colon = text.find(':', equals == std::string_view::npos ? 0 : equals);
    if (equals == std::string_view::npos || colon == std::string_view::npos)
        return Quoted(text, " is not NAME=A:B");
    const std::string_view name = WithoutBlanks(text.substr(0, equals));
    const int k = VariableNamed(model, name);
    if (k < 0)
        return NotAVariable(model, name);
    const std::string_view fromText = WithoutBlanks(text.substr(equals + 1, colon - equals - 1));
    const std::string_view toText = WithoutBlanks(text.substr(colon + 1));
    const std::optional<double> from = WholeNumber(fromText);
    const std::optional<double> to = WholeNumber(toText);
    for (const auto& [bound, boundText] : {std::pair{from, fromText}, std::pair{to, toText}})
        if (!bound)
            return std::string(name).append(": ").append(Quoted(boundText, " is not a number"));
    box.lower[static_cast<std::size_t>(k)] = *from;
    box.upper[static_cast<std::size_t>(k)] = *to;
    return std::nullopt;
}

std::string DerivativeName(const ProblemModel& model, const PerVariable<int>& orders)
{
    int total = 0;
    std::string below;
    for (int k = 0; k <= model.lastVar; ++k) {
        const int order = orders[static_cast<std::size_t>(k)];
        if (order == 0)
            continue;
        total += order;
        below.append(below.empty() ? "d" : " d").append(model.NameOf(k));
        if (order > 1)
            below.append(std::to_string(order));
    }
    if (total == 0)
        return "f";
    std::string name = "d";
    if (total > 1)
        name += std::to_string(total);
    return name.append("f/").append(below);
}

const ProblemModel* DerivativeCache::Of(const ProblemModel& model, const PerVariable<int>& orders)
{
    if (!model.IsComputed() || model.Revision() != revision_) {
        kept_.clear();
        revision_ = model.Revision();
    }
    if (!model.IsComputed())
        return nullptr;
    if (orders == PerVariable<int>{})
        return &model;
    for (const Kept& kept : kept_)
        if (kept.orders == orders)
            return kept.derivative ? &*kept.derivative : nullptr;
    // Enough for a gradient and one more; each may be as big as the problem.
    if (kept_.size() > static_cast<std::size_t>(kMaxVariables))
        kept_.pop_front();
    kept_.push_back({orders, Derivative(model, orders)});
    return kept_.back().derivative ? &*kept_.back().derivative : nullptr;
}

std::string DerivativeValueText(const ProblemModel& model, DerivativeCache& cache, const PerVariable<int>& orders,
                                const PerVariable<double>& point)
{
    if (!model.IsComputed())
        return NoCurrentValue(model);
    const ProblemModel* derivative = cache.Of(model, orders);
    if (!derivative)
        return "too big for the memory";
    const std::optional<double> value = Evaluate(*derivative, point);
    assert(value);
    return ShownValue(*value);
}

std::string GradientText(const ProblemModel& model, DerivativeCache& cache, const PerVariable<double>& point)
{
    if (!model.IsComputed())
        return NoCurrentValue(model);
    std::string lines;
    for (int k = 0; k <= model.lastVar; ++k) {
        PerVariable<int> orders{};
        orders[static_cast<std::size_t>(k)] = 1;
        lines.append(k > 0 ? "\n" : "")
            .append(DerivativeName(model, orders))
            .append(" = ")
            .append(DerivativeValueText(model, cache, orders, point));
    }
    return lines;
}

IntegralTexts IntegralOver(const ProblemModel& model, const IntegrationBox& box)
{
    const std::optional<double> integral = Integrate(model, box);
    const std::optional<double> mean = MeanValue(model, box);
    if (!integral || !mean)
        return {NoCurrentValue(model), NoCurrentValue(model)};
    return {ShownValue(*integral), ShownValue(*mean)};
}

std::string BoxText(const ProblemModel& model, const IntegrationBox& box)
{
    std::string text;
    for (int k = 0; k <= model.lastVar; ++k) {
        const auto s = static_cast<std::size_t>(k);
        text.append(k > 0 ? ", " : "")
            .append(model.NameOf(k))
            .append(" from ")
            .append(TextOfNumber(box.lower[s]))
            .append(" to ")
            .append(TextOfNumber(box.upper[s]));
    }
    return text;
}

std::variant<IntegrationBox, BoundsRefusal> ReadBounds(const ProblemModel& model, const PerVariable<std::string>& from,
                                                       const PerVariable<std::string>& to)
{
    IntegrationBox box;
    for (int k = 0; k <= model.lastVar; ++k) {
        const auto s = static_cast<std::size_t>(k);
        for (const bool upper : {false, true}) {
            const std::string& text = upper ? to[s] : from[s];
            const std::optional<double> bound = WholeNumber(text);
            if (!bound)
                return BoundsRefusal{std::string(model.NameOf(k))
                                         .append(upper ? " to: " : " from: ")
                                         .append(Quoted(WithoutBlanks(text), " is not a number")),
                                     k, upper};
            (upper ? box.upper : box.lower)[s] = *bound;
        }
    }
    return box;
}

} // namespace tavex::command
