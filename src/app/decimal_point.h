#pragma once

#include <functional>
#include <optional>
#include <string>

namespace tavex {

// The user's decimal separator, as the program can read and change it.
class DecimalSeparatorSetting {
public:
    virtual ~DecimalSeparatorSetting() = default;
    // The separator; empty when it cannot be read.
    virtual std::string Read() = 0;
    virtual void Write(const std::string& separator) = 0;
};

enum class WarningAnswer { Yes, No, Cancel };

// Shows the warning (title, prompt) and returns the button pressed.
using AskWarning = std::function<WarningAnswer(const std::string& title, const std::string& prompt)>;

inline constexpr char kDecimalCommaTitle[] = "Decimal Comma Warning!";

// The warning's lines, each ended by a carriage return alone but the last.
std::string DecimalCommaPrompt();

// Reads the user's separator; when it is not ".", asks whether to use "."
// for the run and, on Yes, sets it. Returns the separator as read, which the
// program writes back at exit; nothing when the user declined, and the
// program must end before any window is shown.
std::optional<std::string> CheckDecimalPoint(DecimalSeparatorSetting& setting, const AskWarning& ask);

// Writes the separator read at start-up back, whether or not it was changed.
void RestoreDecimalSeparator(DecimalSeparatorSetting& setting, const std::string& savedDecimalSep);

} // namespace tavex
