#include "app/NumberRule.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace tinsori {

namespace {

bool IsPlainDecimal(const std::string& text) {
    size_t at = text.empty() || (text[0] != '+' && text[0] != '-') ? 0 : 1;
    const size_t digits = text.find_first_not_of("0123456789", at);
    const size_t whole = (digits == std::string::npos ? text.size() : digits) - at;
    if (digits == std::string::npos) return whole > 0;
    if (text[digits] != '.') return false;
    const size_t fraction = text.size() - digits - 1;
    return (whole > 0 || fraction > 0) &&
           text.find_first_not_of("0123456789", digits + 1) == std::string::npos;
}

std::string RangeText(double value) {
    std::ostringstream text;
    text.precision(15);
    text << value;
    return text.str();
}

}  // namespace

std::optional<double> NumberRule::Read(const std::string& text, std::string& error) const {
    if (IsPlainDecimal(text) && !(whole && text.find('.') != std::string::npos)) {
        // Digits alone cannot make a NaN; they can overflow (to infinity) or underflow to a tiny
        // value or zero, which is simply that number.
        const double value = std::strtod(text.c_str(), nullptr);
        if (std::isfinite(value) && value <= high && (aboveLow ? value > low : value >= low))
            return value;
    }
    error = std::string("bad ") + what + " '" + text + "': give " +
            (whole ? "a whole number" : unit) + (aboveLow ? " above " : " from ") + RangeText(low) +
            (aboveLow ? " up to " : " to ") + RangeText(high) + ", such as " + example;
    return std::nullopt;
}

}  // namespace tinsori
