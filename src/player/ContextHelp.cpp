#include "player/ContextHelp.h"

#include "settings/StringTable.h"

namespace tinsori {

void ContextHelp::FocusReceived(HelpControl control) {
    switch (control) {
        case HelpControl::Favorites:
            topic_ = kHelpPresets;
            return;
        case HelpControl::Instrument:
        case HelpControl::Channel:
            topic_ = kHelpInstrument;
            return;
        case HelpControl::ChimeCount:
        case HelpControl::NotesInUse:
        case HelpControl::BaseNote:
        case HelpControl::Scale:
        case HelpControl::Transpose:
            topic_ = kHelpTranspose;
            return;
    }
}

void ContextHelp::ScrollEnded(PlayerSlider slider) {
    switch (slider) {
        case PlayerSlider::Wind:
            topic_ = kHelpWind;
            return;
        case PlayerSlider::Volume:
            topic_ = kHelpInstrument;
            return;
        case PlayerSlider::Pinkness:
        case PlayerSlider::Closeness:
        case PlayerSlider::Length:
            topic_ = kHelpChime;
            return;
    }
}

std::string ContextHelp::Keyword() const {
    if (topic_ == kHelpContents) return {};
    return std::string(StringTableText(kStringHelpPresets + topic_ - kHelpPresets));
}

std::optional<std::string> HelpPageFile(const std::string& page, const std::string& languageFolder,
                                        const HelpFileExists& exists) {
    for (const std::string& name : {page, HelpPageOf("")}) {
        if (exists(languageFolder + name)) return languageFolder + name;
        if (exists(name)) return name;
    }
    return std::nullopt;
}

std::string HelpPageOf(const std::string& keyword) {
    if (keyword.empty()) return "index.html";
    std::string page;
    for (char c : keyword) {
        if (c == ' ') {
            page += '-';
        } else if (c >= 'A' && c <= 'Z') {
            page += static_cast<char>(c - 'A' + 'a');
        } else {
            page += c;
        }
    }
    return page + ".html";
}

}  // namespace tinsori
