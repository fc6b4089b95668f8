#pragma once

#include <optional>
#include <string>

namespace tinsori {

// How one numeric option reads its value: every number is plain decimal, an optional sign and
// fraction and nothing else, so that "0x10", " 5" and "1e3" are mistakes rather than surprises.
struct NumberRule {
    const char* what;  // "gain", as the message names it
    const char* unit;  // "decibels"
    double low;
    double high;
    const char* example;    // "6 or -3.5"
    bool whole = false;     // no fraction (the seed)
    bool aboveLow = false;  // `low` itself is not allowed (the sleep timer)

    // The value of `text`; none, with one line in `error`, when it is no plain decimal in range.
    std::optional<double> Read(const std::string& text, std::string& error) const;
};

}  // namespace tinsori
