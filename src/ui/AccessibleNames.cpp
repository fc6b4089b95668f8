#include "ui/AccessibleNames.h"

#include <cstring>

#include "player/ControlIds.h"
#include "ui/UiText.h"

namespace tinsori {

namespace {

struct NamedControl {
    int id;
    const char* name;
    const char* description;
};

// The bars' labels name the ends of their ranges, so a reader would announce "Calm Day" for the
// wind; the notes box, the length bar and the chime picture have no label taking the focus.
constexpr NamedControl kNamedControls[] = {
    {kIdWindSlider, QT_TRANSLATE_NOOP("Tinsori", "Wind"),
     QT_TRANSLATE_NOOP("Tinsori", "From Calm Day through Nice Breeze to Storm's-a-Brewin'")},
    {kIdPinknessSlider, QT_TRANSLATE_NOOP("Tinsori", "Chime spread"),
     QT_TRANSLATE_NOOP("Tinsori", "From ends spread apart to circular")},
    {kIdClosenessSlider, QT_TRANSLATE_NOOP("Tinsori", "Chime distance"),
     QT_TRANSLATE_NOOP("Tinsori", "From chimes far from the pendulum to closer in")},
    {kIdLengthBar, QT_TRANSLATE_NOOP("Tinsori", "Pendulum length"),
     QT_TRANSLATE_NOOP("Tinsori", "Shorter at the top, longer at the bottom")},
    {kIdVolumeSlider, QT_TRANSLATE_NOOP("Tinsori", "Volume"), nullptr},
    {kIdNotesInUse, QT_TRANSLATE_NOOP("Tinsori", "Chimes in Use"), nullptr},
    {kIdChimePicture, QT_TRANSLATE_NOOP("Tinsori", "Chimes to strike"),
     QT_TRANSLATE_NOOP("Tinsori",
                       "Move the pointer over the tubes, or press 1 to 9 and 0 to "
                       "strike a chime; Left and Right choose a chime, Space strikes "
                       "it")},
};

struct NamedPicture {
    const char* bitmap;
    const char* name;
};

// The small pictures illustrate the ends of the bars beside them.
constexpr NamedPicture kNamedPictures[] = {
    {"131", QT_TRANSLATE_NOOP("Tinsori", "Wind chimes")},
    {"164", QT_TRANSLATE_NOOP("Tinsori", "Chimes in a circle")},
    {"165", QT_TRANSLATE_NOOP("Tinsori", "Chimes with their ends spread apart")},
    {"166", QT_TRANSLATE_NOOP("Tinsori", "Loudness")},
    {"134", QT_TRANSLATE_NOOP("Tinsori", "Loudspeaker")},
    {"167", QT_TRANSLATE_NOOP("Tinsori", "Chimes far from the pendulum")},
    {"168", QT_TRANSLATE_NOOP("Tinsori", "Chimes close to the pendulum")},
};

QString Text(const char* text) {
    return text ? UiText(text) : QString();
}

}  // namespace

AccessibleText AccessibleTextOf(const ControlSpec& spec) {
    for (const NamedControl& control : kNamedControls) {
        if (spec.id == control.id) return {Text(control.name), Text(control.description)};
    }
    if (spec.kind != ControlKind::Picture || !spec.picture) return {};
    for (const NamedPicture& picture : kNamedPictures) {
        if (std::strcmp(spec.picture, picture.bitmap) == 0) return {Text(picture.name), {}};
    }
    return {};
}

QString SpokenLabel(const char* label) {
    QString text = UiText(label);
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text.simplified();
}

}  // namespace tinsori
