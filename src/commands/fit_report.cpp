#include "commands/fit_report.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>

namespace tavex::command {

namespace {

// "2.4E-12", "8.5E+18": two significant digits, whatever the locale.
std::string FigureText(double value)
{
    if (!std::isfinite(value))
        return "INF";
    std::array<char, 32> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::scientific, 1).ptr;
    std::string figure(text.data(), end);
    for (char& c : figure)
        if (c == 'e')
            c = 'E';
    return figure;
}

// Two significant digits as a plain number from 0.10 up to 99 ("0.52", "1.1",
// "12"), a multiple of the table's largest value reading best so; others as FigureText.
std::string SwingText(double swing)
{
    const std::string figure = FigureText(swing); // "d.dE+xx"
    if (figure.size() < 7)
        return figure;
    const int exponent = std::stoi(figure.substr(4));
    const char first = figure[0], second = figure[2];
    switch (exponent) {
    case -1: return std::string("0.") + first + second;
    case 0: return std::string(1, first) + "." + second;
    case 1: return std::string(1, first) + second;
    default: return figure;
    }
}

// Digits as a whole number: "19".
std::string DigitsText(double digits)
{
    if (!std::isfinite(digits))
        return "all";
    std::array<char, 32> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), digits, std::chars_format::fixed, 0).ptr;
    return std::string(text.data(), end);
}

std::string NameOf(const VariableFit& variable, std::size_t index)
{
    return variable.name.empty() ? "variable " + std::to_string(index + 1) : variable.name;
}

bool SwingNeedsWarning(const FitFigures& figures)
{
    return figures.swing && *figures.swing >= kSwingWarning;
}

} // namespace

std::string FitLine(const FitFigures& figures)
{
    std::string line = std::isfinite(figures.reproduction)
                         ? "Fit reproduces the table to " + FigureText(figures.reproduction)
                         : std::string("Fit does not reproduce the table");
    if (figures.swing)
        line += "; between the values it reaches " + SwingText(*figures.swing) + " times the table's largest value";
    line += ". Condition:";
    for (std::size_t i = 0; i < figures.variables.size(); ++i)
        line += (i == 0 ? " " : ", ") + NameOf(figures.variables[i], i) + " "
              + FigureText(figures.variables[i].scaledCondition);
    return line;
}

bool FitNeedsWarning(const FitFigures& figures)
{
    for (const VariableFit& variable : figures.variables)
        if (variable.scaledDigitsLost >= kDigitsLostWarning || !variable.singularity.empty())
            return true;
    return SwingNeedsWarning(figures);
}

std::string FitAdvice(const FitFigures& figures)
{
    std::string losses;
    for (std::size_t i = 0; i < figures.variables.size(); ++i) {
        const VariableFit& variable = figures.variables[i];
        if (variable.scaledDigitsLost < kDigitsLostWarning)
            continue;
        const std::string digits = DigitsText(variable.scaledDigitsLost);
        losses += losses.empty() ? NameOf(variable, i) + " may lose " + digits + " decimal digits"
                                 : ", " + NameOf(variable, i) + " " + digits;
    }
    std::string advice;
    const auto addSentence = [&advice](const std::string& sentence) {
        advice += (advice.empty() ? "" : " ") + sentence;
    };
    if (!losses.empty())
        addSentence(losses + "; a number holds about 16. Use fewer values, the trigonometric kind for periodic data, "
                             "or a narrower interval.");
    if (SwingNeedsWarning(figures))
        addSentence(std::isfinite(*figures.swing)
                      ? "Between the values the expansion reaches " + SwingText(*figures.swing)
                          + " times the table's largest value, so it cannot be trusted there."
                      : std::string("Between the values the expansion does not stay finite, so it cannot be trusted "
                                    "there."));
    // A singularity's text begins with a word of its own, never a name.
    for (const VariableFit& variable : figures.variables)
        if (!variable.singularity.empty())
            addSentence(static_cast<char>(std::toupper(static_cast<unsigned char>(variable.singularity[0])))
                        + variable.singularity.substr(1) + ".");
    return advice;
}

} // namespace tavex::command
