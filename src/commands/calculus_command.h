#pragma once

#include "engine/integral.h"
#include "model/problem_model.h"

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

} // namespace tavex::command
