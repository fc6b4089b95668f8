#pragma once

#include <cstdint>
#include <string>

namespace tinsori {

// The live view's words, in the catalogue's language.

// The caption's second line: the configuration's name, and the beat while quantized.
std::string ConfigurationCaption(int configuration, uint32_t beatMs);

// What a screen reader says the view shows: the current favorite (none: left out) and the wind.
std::string LiveViewDescription(const std::string& favorite, double wind);

}  // namespace tinsori
