#include "settings/StringTable.h"

#include <algorithm>
#include <array>

#include "ProgramVersion.h"
#include "platform/TextCatalogue.h"

namespace tinsori {

namespace {

struct Entry {
    int id;
    std::string_view text;
};

constexpr Entry kTable[] = {
    {kStringAbout, QT_TRANSLATE_NOOP("Tinsori", "&About Tinsori...")},
    {kStringNoMidiDevice,
     QT_TRANSLATE_NOOP("Tinsori",
                       "Tinsori cannot open the default MIDI output device.  Please close "
                       "Tinsori, and any other applications that may be using MIDI and try "
                       "again.")},
    {kStringNoMidiDeviceCaption, QT_TRANSLATE_NOOP("Tinsori", "Midi Output Device In Use")},
    {kStringChimeLine, "%s - %d\r\n"},
    {kStringBaseNoteItem, "%s - %d"},
    {kStringHelpPresets, "creating presets"},
    {kStringHelpInstrument, "instrument"},
    {kStringHelpTranspose, "transpose"},
    {kStringHelpChime, "chime"},
    {kStringHelpWind, "wind"},
    {kStringTrayTip, "You are listening to Tinsori " TINSORI_VERSION_SHORT},
    {kStringContinue, QT_TRANSLATE_NOOP("Tinsori", "Continue")},
    {kStringPause, QT_TRANSLATE_NOOP("Tinsori", "Pause")},
    {kStringReplaceFavorite,
     QT_TRANSLATE_NOOP("Tinsori", "Are you sure you wish to replace the favorite preset \"%s\"?")},
    {kStringReplaceFavoriteCaption, QT_TRANSLATE_NOOP("Tinsori", "Replace a Favorite")},
    {kStringFavoritesFull,
     QT_TRANSLATE_NOOP("Tinsori",
                       "All %ld favorties have been filled.  Please remove your "
                       "'least' favorite first.")},
    {kStringFavoritesFullCaption, QT_TRANSLATE_NOOP("Tinsori", "Sorry")},
    {kStringRemoveFavorite,
     QT_TRANSLATE_NOOP("Tinsori", "Are you sure you wish to remove the favorite preset \"%s\"?")},
    {kStringRemoveFavoriteCaption, QT_TRANSLATE_NOOP("Tinsori", "Remove a Favorite")},
    {kStringOutOfScales,
     QT_TRANSLATE_NOOP("Tinsori",
                       "Out of space for new scales.  Using different scale than what was "
                       "intended")},
    {kStringOutOfScalesCaption, QT_TRANSLATE_NOOP("Tinsori", "Notice")},
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
    // Entries are literals, so the view's data ends in a zero; an unknown id gives "".
    const std::string_view entry = StringTableText(id);
    const std::string text = TextCatalogue::Translated(entry.empty() ? "" : entry.data());
    const size_t length = std::min(text.size(), kMaxLoaded);
    std::copy_n(text.begin(), length, buffer.begin());
    buffer[length] = '\0';
    return buffer.data();
}

}  // namespace tinsori
