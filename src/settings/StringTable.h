#pragma once

#include <string_view>

namespace tinsori {

// Identifiers of the program's string table.
enum StringId : int {
    kStringAbout = 101,
    kStringNoMidiDevice = 105,
    kStringNoMidiDeviceCaption = 106,
    kStringChimeLine = 107,
    kStringBaseNoteItem = 108,
    kStringHelpPresets = 109,
    kStringHelpInstrument = 110,
    kStringHelpTranspose = 111,
    kStringHelpChime = 112,
    kStringHelpWind = 113,
    kStringTrayTip = 129,
    kStringContinue = 131,
    kStringPause = 132,
    kStringReplaceFavorite = 140,
    kStringReplaceFavoriteCaption = 141,
    kStringFavoritesFull = 142,
    kStringFavoritesFullCaption = 143,
    kStringRemoveFavorite = 144,
    kStringRemoveFavoriteCaption = 145,
    kStringOutOfScales = 146,
    kStringOutOfScalesCaption = 147,
};

// The text of an entry; empty for an id the table does not hold.
std::string_view StringTableText(int id);

// The entry copied (at most 254 characters) into one of two buffers used in turn, so that a
// message and its caption loaded one after the other are valid together; the third call
// reuses the first buffer. Each thread has its own pair.
const char* LoadResString(int id);

}  // namespace tinsori
