#include "settings/StringTable.h"

#include <algorithm>
#include <array>

#include "ProgramVersion.h"

namespace tinsori {

namespace {

struct Entry {
    int id;
    std::string_view text;
};

constexpr Entry kTable[] = {
    {kStringAbout, "&About Tinsori..."},
    {kStringNoMidiDevice,
     "Tinsori cannot open the default MIDI output device.  Please close Tinsori, and any other "
     "applications that may be using MIDI and try again."},
    {kStringNoMidiDeviceCaption, "Midi Output Device In Use"},
    {kStringChimeLine, "%s - %d\r\n"},
    {kStringBaseNoteItem, "%s - %d"},
    {kStringHelpPresets, "creating presets"},
    {kStringHelpInstrument, "instrument"},
    {kStringHelpTranspose, "transpose"},
    {kStringHelpChime, "chime"},
    {kStringHelpWind, "wind"},
    {kStringTrayTip, "You are listening to Tinsori " TINSORI_VERSION_SHORT},
    {kStringContinue, "Continue"},
    {kStringPause, "Pause"},
    {kStringReplaceFavorite, "Are you sure you wish to replace the favorite preset \"%s\"?"},
    {kStringReplaceFavoriteCaption, "Replace a Favorite"},
    {kStringFavoritesFull,
     "All %ld favorties have been filled.  Please remove your 'least' favorite first."},
    {kStringFavoritesFullCaption, "Sorry"},
    {kStringRemoveFavorite, "Are you sure you wish to remove the favorite preset \"%s\"?"},
    {kStringRemoveFavoriteCaption, "Remove a Favorite"},
    {kStringOutOfScales,
     "Out of space for new scales.  Using different scale than what was intended"},
    {kStringOutOfScalesCaption, "Notice"},
};

constexpr size_t kMaxLoaded = 254;

}  // namespace

std::string_view StringTableText(int id) {
    const auto* found = std::find_if(std::begin(kTable), std::end(kTable),
                                     [id](const Entry& entry) { return entry.id == id; });
    return found == std::end(kTable) ? std::string_view() : found->text;
}

const char* LoadResString(int id) {
    thread_local std::array<std::array<char, kMaxLoaded + 1>, 2> buffers{};
    thread_local int next = 0;
    auto& buffer = buffers[next];
    next ^= 1;
    const std::string_view text = StringTableText(id);
    const size_t length = std::min(text.size(), kMaxLoaded);
    std::copy_n(text.begin(), length, buffer.begin());
    buffer[length] = '\0';
    return buffer.data();
}

}  // namespace tinsori
