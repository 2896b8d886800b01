#include "engine/singular_basis.h"

#include "engine/kinds/term_text.h"
#include "model/number_text.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <limits>
#include <numeric>

namespace tavex {

namespace {

constexpr double kEps = std::numeric_limits<double>::epsilon();

double OffInteger(double x)
{
    return std::fabs(x - std::round(x));
}

// Neumaier's sum: its error stays near one rounding of the result however
// many terms there are, so the test of the angles' sum needs no allowance
// for the summation itself.
double CompensatedSum(const std::vector<double>& terms)
{
    double sum = 0.0, lost = 0.0;
    for (const double term : terms) {
        const double next = sum + term;
        lost += std::fabs(sum) >= std::fabs(term) ? (sum - next) + term : (term - next) + sum;
        sum = next;
    }
    return sum + lost;
}

// "sin(6*angle)", "sin(angle-15)", "sin(6*(angle+15))": as the listing names the term.
std::string SineTerm(int multiple, double center, std::string_view name)
{
    std::string argument(name);
    argument.append(CenterPart(center));
    if (multiple == 1)
        return "sin(" + argument + ")";
    return "sin(" + std::to_string(multiple) + "*" + (center != 0.0 ? "(" + argument + ")" : argument) + ")";
}

// Every text begins with a word of its own, never the name, so that it can
// start a sentence as it is or capitalised.
std::string RepeatedValue(std::string_view name, double value)
{
    return "the value " + TextOfNumber(value) + " of " + std::string(name)
         + " comes twice, which gives two equal rows of its basis: keep one of them";
}

} // namespace

std::string RepeatedValueSingularity(std::vector<double> values, std::string_view name)
{
    if (!std::all_of(values.begin(), values.end(), [](double x) { return std::isfinite(x); }))
        return {};
    std::sort(values.begin(), values.end());
    const auto repeated = std::adjacent_find(values.begin(), values.end());
    return repeated == values.end() ? std::string() : RepeatedValue(name, *repeated);
}

// The basis is 1, sin u, cos u, ..., with u = 2 pi t; t_k is value k's angle in turns.
//
// Each t_k is the value less the center, divided by the period: two roundings,
// at most 2 eps |t_k|. A test on n of them at once (their sum, n t_k) can be
// off by n times that, and an equally spaced list carries the rounding of its
// own computation besides; so "within rounding" is within
// tolerance = 8 n eps max(1, max |t_k|) turns. A set of angles that close to
// singular is as good as singular: its condition would be about 1 / tolerance.
std::string AngleSingularity(const std::vector<double>& values, double center, double period,
                             std::string_view name)
{
    const int n = static_cast<int>(values.size());
    if (period == 0.0)
        return "the period of " + std::string(name) + " is 0: give it the length of one cycle";
    std::vector<double> turns(values.size()), reduced(values.size());
    double largest = 1.0;
    for (std::size_t k = 0; k < values.size(); ++k) {
        turns[k] = (values[k] - center) / period;
        if (!std::isfinite(turns[k]))
            return {};
        largest = std::max(largest, std::fabs(turns[k]));
        reduced[k] = turns[k] - std::round(turns[k]); // exact: within [-1/2, 1/2]
    }
    const double tolerance = 8.0 * n * kEps * largest;

    // Two angles a whole number of turns apart: neighbours once the angles are
    // taken into [0, 1) and sorted, or the first and the last around the circle.
    std::vector<std::size_t> order(values.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    const auto place = [&](std::size_t k) { return reduced[k] < 0.0 ? reduced[k] + 1.0 : reduced[k]; };
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return place(a) < place(b); });
    for (std::size_t i = 0; i < order.size(); ++i) {
        const std::size_t a = order[i], b = order[(i + 1) % order.size()];
        const double gap = i + 1 < order.size() ? place(b) - place(a) : place(b) + 1.0 - place(a);
        if (a == b || gap > tolerance)
            continue;
        const double low = std::min(values[a], values[b]), high = std::max(values[a], values[b]);
        if (low == high)
            return RepeatedValue(name, low);
        return "the values " + TextOfNumber(low) + " and " + TextOfNumber(high) + " of " + std::string(name)
             + " are a whole number of periods apart, which gives two equal rows of its basis: keep one of them";
    }

    // An even count 2P ends the basis on sin(P u), without cos(P u). The 2P
    // points fix, up to a factor, the trigonometric polynomial of degree P
    // that vanishes at all of them, q(u) = prod_k sin((u - u_k) / 2); the
    // basis is singular just when q lies in its span, that is when q's
    // cos(P u) coefficient, proportional to cos(sum_k u_k / 2), is 0: when
    // the angles add up to an odd multiple of half a turn. An odd count
    // spans every polynomial of its degree and is never singular.
    if (n % 2 != 0 || std::fabs(OffInteger(CompensatedSum(reduced)) - 0.5) > tolerance)
        return {};
    const std::string shift = TextOfNumber(std::fabs(period) / (2.0 * n));
    const bool sineVanishes = std::all_of(reduced.begin(), reduced.end(),
                                          [&](double r) { return OffInteger(n * r) <= tolerance; });
    if (!sineVanishes)
        return "the offsets of the " + std::to_string(n) + " values of " + std::string(name)
             + " from its center add up to an odd multiple of half its period, so its basis functions "
               "are dependent at these values: use an odd number of values, or move the center by " + shift;
    std::sort(turns.begin(), turns.end());
    const double step = (turns.back() - turns.front()) / (n - 1);
    bool equallySpaced = true;
    for (int k = 0; k < n; ++k)
        equallySpaced = equallySpaced && std::fabs(turns[static_cast<std::size_t>(k)] - (turns.front() + k * step))
                                             <= tolerance;
    const bool onePeriod = equallySpaced && std::fabs(n * step - 1.0) <= tolerance;
    return "with " + std::to_string(n) + (equallySpaced ? " equally spaced" : "") + " values"
         + (onePeriod ? " over one period" : "") + ", " + SineTerm(n / 2, center, name)
         + " is 0 at every value: use an odd number of values, or move the center by "
         + (equallySpaced ? "half a step" : shift);
}

std::string BasisSingularity(const VariableBasis& basis, std::string_view name)
{
    assert(basis.count >= 1 && basis.values->size() >= static_cast<std::size_t>(basis.count) && !name.empty());
    const std::vector<double> used(basis.values->begin(), basis.values->begin() + basis.count);
    return basis.kind->Singularity(used, basis.center, basis.period, name);
}

} // namespace tavex
