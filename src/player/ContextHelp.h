#pragma once

#include <functional>
#include <optional>
#include <string>

#include "player/PlayerView.h"

namespace tinsori {

// Help topics: 0 shows the contents, 1..5 look up a keyword.
enum HelpTopic : int {
    kHelpContents = 0,
    kHelpPresets = 1,
    kHelpInstrument = 2,
    kHelpTranspose = 3,
    kHelpChime = 4,
    kHelpWind = 5,
};

// Controls whose focus or click sets the help topic.
enum class HelpControl {
    Favorites,
    Instrument,
    Channel,
    ChimeCount,
    NotesInUse,
    BaseNote,
    Scale,
    Transpose,
};

// The help topic of the control area the user last worked with, which F1 looks up.
class ContextHelp {
public:
    int topic() const { return topic_; }
    void Set(int topic) { topic_ = (topic >= kHelpContents && topic <= kHelpWind) ? topic : 0; }

    void FocusReceived(HelpControl control);
    void ScrollEnded(PlayerSlider slider);

    // The keyword F1 looks up; empty for the contents.
    std::string Keyword() const;

private:
    int topic_ = kHelpContents;
};

// The help page of a keyword: lower case, spaces as '-', ".html" ("creating-presets.html"); the
// contents page for an empty keyword.
std::string HelpPageOf(const std::string& keyword);

// Whether a help file is there, by its path below the pages' folder.
using HelpFileExists = std::function<bool(const std::string& path)>;

// The file that shows `page`: the page in the language's folder (`languageFolder`, "de/") when
// it is translated, else the English one; the contents when the page is not there at all;
// nothing when the pages are absent from the build.
std::optional<std::string> HelpPageFile(const std::string& page, const std::string& languageFolder,
                                        const HelpFileExists& exists);

}  // namespace tinsori
