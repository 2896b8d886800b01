#include "base/number_scan.h"

#include <cassert>
#include <charconv>
#include <limits>
#include <string>
#include <system_error>

namespace tavex {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// Walks the number once. Its characters are copied aside only when blanks
// or group separators stand inside it; a number written plainly, as every
// number of a file is, is parsed where it stands.
class Scanner final {
public:
    Scanner(std::string_view text, const ScanRules& rules) : text_(text), rules_(rules)
    {
        if (rules_.blanksInside)
            while (pos_ < text_.size() && IsBlank(text_[pos_]))
                ++pos_;
        start_ = pos_;
    }

    NumberScan Scan()
    {
        char c = Peek();
        if (c == '+' || c == '-')
            Take();
        int mantissaDigits = Digits(true);
        if (Peek() == '.') {
            Take();
            mantissaDigits += Digits(false);
        }
        if (mantissaDigits == 0)
            return {};
        end_ = pos_;
        // The mantissa's length in the copy, should a blank in the exponent start one.
        const std::size_t mantissaCopied = copying_ ? number_.size() : end_ - start_;
        c = Peek();
        if (c == 'e' || c == 'E') {
            Take();
            c = Peek();
            if (c == '+' || c == '-')
                Take();
            if (Digits(false) > 0)
                end_ = pos_;
            else if (copying_)
                number_.resize(mantissaCopied); // an exponent without digits is not part of it
        }
        return {true, end_, Value()};
    }

private:
    char Peek()
    {
        if (rules_.blanksInside && pos_ < text_.size() && IsBlank(text_[pos_])) {
            StartCopy();
            while (pos_ < text_.size() && IsBlank(text_[pos_]))
                ++pos_;
        }
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }

    void Take()
    {
        if (copying_)
            number_.push_back(text_[pos_]);
        ++pos_;
    }

    // From here on the number is put together aside, starting with what was read so far.
    void StartCopy()
    {
        if (!copying_)
            number_.assign(text_.substr(start_, pos_ - start_));
        copying_ = true;
    }

    // Digits from here on; in the integer part a group separator may stand
    // between two of them.
    int Digits(bool integerPart)
    {
        int count = 0;
        for (;;) {
            const char c = Peek();
            if (IsDigit(c)) {
                Take();
                ++count;
                continue;
            }
            const std::string_view group = rules_.groupSeparator;
            if (integerPart && count > 0 && !group.empty() && text_.substr(pos_, group.size()) == group
                && pos_ + group.size() < text_.size() && IsDigit(text_[pos_ + group.size()])) {
                StartCopy();
                pos_ += group.size();
                continue;
            }
            return count;
        }
    }

    double Value() const
    {
        std::string_view number = copying_ ? std::string_view(number_) : text_.substr(start_, end_ - start_);
        if (number.front() == '+')
            number.remove_prefix(1); // from_chars takes no plus sign
        double value = 0.0;
        const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
        if (error == std::errc::result_out_of_range)
            return OutOfRange(number);
        assert(error == std::errc() && end == number.data() + number.size());
        (void)end;
        return value;
    }

    // from_chars reports a value outside the double range without it: a
    // nonzero mantissa with an exponent too large or too small.
    static double OutOfRange(std::string_view number)
    {
        const bool negative = number.front() == '-';
        const std::size_t e = number.find_first_of("eE");
        const bool tiny = e != std::string_view::npos && e + 1 < number.size() && number[e + 1] == '-';
        const double magnitude = tiny ? 0.0 : std::numeric_limits<double>::infinity();
        return negative ? -magnitude : magnitude;
    }

    std::string_view text_;
    const ScanRules& rules_;
    std::size_t pos_ = 0;
    std::size_t start_ = 0;
    std::size_t end_ = 0;
    std::string number_;
    bool copying_ = false;
};

} // namespace

NumberScan ScanNumber(std::string_view text, const ScanRules& rules)
{
    // The way nearly every number is written, in the files above all: the
    // grammar above is from_chars's own, without "+", blanks and separators,
    // once the text begins with a digit or a point.
    const char* first = text.data();
    const char* last = first + text.size();
    const char lead = text.empty() ? '\0' : (*first == '-' && text.size() > 1 ? first[1] : *first);
    if ((IsDigit(lead) || lead == '.') && rules.groupSeparator.empty()) {
        double value = 0.0;
        const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
        // With blanks allowed inside, a blank, an "e" or a point after it may
        // carry the number on: the walk below decides.
        const bool mayGoOn = end != last && (IsBlank(*end) || *end == 'e' || *end == 'E' || *end == '.');
        if (error == std::errc() && !(rules.blanksInside && mayGoOn))
            return {true, static_cast<std::size_t>(end - first), value};
    }
    return Scanner(text, rules).Scan();
}

bool IsWholeNumber(std::string_view text, const ScanRules& rules)
{
    const NumberScan scan = ScanNumber(text, rules);
    if (!scan.found)
        return false;
    std::size_t rest = scan.end;
    if (rules.blanksInside)
        while (rest < text.size() && IsBlank(text[rest]))
            ++rest;
    return rest == text.size();
}

} // namespace tavex
