#include "player/LiveViewTexts.h"

#include "model/ChimeSettings.h"
#include "player/LiveViewMotion.h"

namespace tinsori {

namespace {

const char* ConfigurationName(int configuration) {
    switch (configuration) {
        case kAllIndependent:
            return QT_TRANSLATE_NOOP("Tinsori", "All Independent");
        case kChimesOnly:
            return QT_TRANSLATE_NOOP("Tinsori", "Chimes Only");
        case kQuantized:
            return QT_TRANSLATE_NOOP("Tinsori", "Quantized");
        default:
            return QT_TRANSLATE_NOOP("Tinsori", "Center Pendulum");
    }
}

}  // namespace

std::string ConfigurationCaption(int configuration, uint32_t beatMs) {
    const std::string name = TextCatalogue::Translated(ConfigurationName(configuration));
    if (configuration != kQuantized || beatMs == 0) return name;
    return TextCatalogue::Words(QT_TRANSLATE_NOOP("Tinsori", "%1 \u00b7 beat %2 ms"),
                                {name, std::to_string(beatMs)});
}

// Each sentence stands alone, so a translation needs no order across them.
std::string LiveViewDescription(const std::string& favorite, double wind) {
    std::string text = TextCatalogue::Translated(QT_TRANSLATE_NOOP(
        "Tinsori",
        "The chimes in a ring as the chime choice places them, the pendulum among them, the "
        "strikes and the wind, as the music plays."));
    if (!favorite.empty())
        text +=
            " " + TextCatalogue::Words(QT_TRANSLATE_NOOP("Tinsori", "Favorite: %1."), {favorite});
    const std::string word = TextCatalogue::Translated(kWindWords[WindWord(wind)]);
    return text + " " + TextCatalogue::Words(QT_TRANSLATE_NOOP("Tinsori", "Wind: %1."), {word});
}

}  // namespace tinsori
