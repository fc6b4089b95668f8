#pragma once

#include <algorithm>
#include <string_view>

namespace tinsori {

// Names (options, outputs, favorites, file endings) are ASCII to the program: they compare the
// same in every locale. The C library's tolower and strcasecmp follow the locale, where a Turkish
// one folds 'I' to a dotless i.
constexpr char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, {}, AsciiLower, AsciiLower);
}

// Bytes beyond ASCII order by their unsigned value, after every ASCII letter.
constexpr bool LessIgnoringCase(std::string_view a, std::string_view b) {
    constexpr auto byte = [](char c) { return static_cast<unsigned char>(AsciiLower(c)); };
    return std::ranges::lexicographical_compare(a, b, {}, byte, byte);
}

constexpr bool EndsWithIgnoringCase(std::string_view text, std::string_view ending) {
    return text.size() >= ending.size() &&
           EqualsIgnoringCase(text.substr(text.size() - ending.size()), ending);
}

}  // namespace tinsori
