#include "player/StatusLine.h"

#include <algorithm>

namespace tinsori {

namespace {

constexpr char kProduct[] = "Tinsori \xc2\xb7 ";
constexpr char kEllipsis[] = "\xe2\x80\xa6";

bool StartsCharacter(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
}

// The longest start of `text` that fits with the ellipsis, cut between whole characters.
std::string Elided(const std::string& text, int width, const TextWidth& measure) {
    std::vector<size_t> cuts = {0};
    for (size_t i = 1; i < text.size(); ++i) {
        if (StartsCharacter(text[i])) cuts.push_back(i);
    }
    const auto fits = [&](size_t cut) { return measure(text.substr(0, cut) + kEllipsis) <= width; };
    const auto end = std::partition_point(cuts.begin(), cuts.end(), fits);
    if (end == cuts.begin()) return {};
    return text.substr(0, *(end - 1)) + kEllipsis;
}

}  // namespace

StatusLine FitStatusLine(const std::vector<std::string>& texts, int width,
                         const TextWidth& measure) {
    if (texts.empty()) return {};
    const std::string& full = texts.front();
    const std::string& shorter = texts.size() > 1 ? texts[1] : full;
    std::vector<std::string> candidates = {kProduct + full, kProduct + shorter, shorter};
    if (texts.size() > 2) candidates.push_back(texts[2]);
    for (const std::string& candidate : candidates) {
        if (measure(candidate) <= width) return {candidate, full, candidate != candidates.front()};
    }
    return {Elided(candidates.back(), width, measure), full, true};
}

}  // namespace tinsori
