#include "ui/AccessibleNames.h"

#include <cstring>

#include "ui/ControlIds.h"

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
    {kIdWindSlider, "Wind", "From Calm Day through Nice Breeze to Storm's-a-Brewin'"},
    {kIdPinknessSlider, "Chime spread", "From ends spread apart to circular"},
    {kIdClosenessSlider, "Chime distance", "From chimes far from the pendulum to closer in"},
    {kIdLengthBar, "Pendulum length", "Shorter at the top, longer at the bottom"},
    {kIdVolumeSlider, "Volume", nullptr},
    {kIdNotesInUse, "Chimes in Use", nullptr},
    {kIdChimePicture, "Chimes to strike",
     "Move the pointer over the tubes, or press 1 to 9 and 0 to strike a chime; Left and Right "
     "choose a chime, Space strikes it"},
};

struct NamedPicture {
    const char* bitmap;
    const char* name;
};

// The small pictures illustrate the ends of the bars beside them.
constexpr NamedPicture kNamedPictures[] = {
    {"131", "Wind chimes"},
    {"164", "Chimes in a circle"},
    {"165", "Chimes with their ends spread apart"},
    {"166", "Loudness"},
    {"134", "Loudspeaker"},
    {"167", "Chimes far from the pendulum"},
    {"168", "Chimes close to the pendulum"},
};

QString Text(const char* text) {
    return text ? QString::fromUtf8(text) : QString();
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
    QString text = QString::fromUtf8(label);
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text.simplified();
}

}  // namespace tinsori
