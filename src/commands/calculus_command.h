#pragma once

#include "engine/integral.h"
#include "model/problem_model.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace tavex::command {

// The derivative and integral requests of tavex-cli and the evaluation window.

// "NAME=K[,NAME=K...]": the order along each variable named (0 for the
// others), or the one line that says what is wrong with it: a name that is
// no variable, a name given twice, an order that is not a whole number from
// 0 to the highest order.
std::variant<PerVariable<int>, std::string> ReadDerivativeOrders(const ProblemModel& model, std::string_view text);

// "NAME=A:B" sets that variable's side of the box to [A, B] (A = B allowed),
// or returns the one line that says why it cannot.
std::optional<std::string> ReadIntegrationSide(const ProblemModel& model, std::string_view text, IntegrationBox& box);

// The text of a derivative's orders for the windows and the file headers:
// "d3f/dx2 dy", and "f" for the expansion itself.
std::string DerivativeName(const ProblemModel& model, const PerVariable<int>& orders);

// The derivatives' expansions a window works with, kept while the
// coefficients stay those of one revision: on a big problem each costs tens
// of milliseconds, too much to redo for every point or slider step.
class DerivativeCache {
public:
    // The expansion of the derivative of `orders`, the problem itself for no
    // order; null while the coefficients are not current, or when the
    // derivative's would not fit in memory. Valid until the next call.
    const ProblemModel* Of(const ProblemModel& model, const PerVariable<int>& orders);

private:
    struct Kept {
        PerVariable<int> orders;
        std::optional<ProblemModel> derivative;
    };
    std::uint64_t revision_ = 0;
    std::deque<Kept> kept_;
};

// The derivative's value at the point as a window shows it (ShownValue),
// NoCurrentValue's words while the coefficients are not current, or why
// there is none.
std::string DerivativeValueText(const ProblemModel& model, DerivativeCache& cache, const PerVariable<int>& orders,
                                const PerVariable<double>& point);

// Every first derivative at the point, a line each: "df/dx = 2".
std::string GradientText(const ProblemModel& model, DerivativeCache& cache, const PerVariable<double>& point);

// The integral over the box and the mean value there, as a window shows them.
struct IntegralTexts {
    std::string integral, mean;
};
IntegralTexts IntegralOver(const ProblemModel& model, const IntegrationBox& box);

// "x from 0 to 2, y from -1 to 1": where an integral runs.
std::string BoxText(const ProblemModel& model, const IntegrationBox& box);

// The bounds typed, a pair per variable: the box they give, or the line
// that refuses the first that is not a number, and which one it is.
struct BoundsRefusal {
    std::string message;
    int variable = -1;
    bool upper = false;
};
std::variant<IntegrationBox, BoundsRefusal> ReadBounds(const ProblemModel& model, const PerVariable<std::string>& from,
                                                       const PerVariable<std::string>& to);

} // namespace tavex::command
