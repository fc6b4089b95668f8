#include "store/SplitField.h"

#include <limits>

namespace tinsori {

std::string SplitField(std::string& line, size_t maxField) {
    size_t stop = 0;
    while (stop < line.size() && line[stop] != ',' &&
           static_cast<unsigned char>(line[stop]) >= 32) {
        ++stop;
    }
    // A NUL inside the string ends the text there, as a terminator would.
    const bool atEnd = stop == line.size() || line[stop] == '\0';
    std::string field = line.substr(0, stop < maxField ? stop : maxField);
    line = atEnd ? std::string() : line.substr(stop + 1);
    return field;
}

long FieldToInt(const std::string& field) {
    size_t i = 0;
    while (i < field.size() && (field[i] == ' ' || (field[i] >= '\t' && field[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) negative = field[i++] == '-';
    constexpr long kMax = std::numeric_limits<long>::max();
    constexpr long kMin = std::numeric_limits<long>::min();
    long value = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
        const int digit = field[i] - '0';
        // Accumulate toward the sign so that the most negative value is reachable.
        if (negative) {
            if (value < (kMin + digit) / 10) return kMin;
            value = value * 10 - digit;
        } else {
            if (value > (kMax - digit) / 10) return kMax;
            value = value * 10 + digit;
        }
    }
    return value;
}

}  // namespace tinsori
