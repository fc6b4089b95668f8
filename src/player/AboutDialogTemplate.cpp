#include "platform/TextCatalogue.h"

#include "player/ControlIds.h"
#include "player/DialogTemplate.h"

// The About box's template.

namespace tinsori {

namespace {

using K = ControlKind;

constexpr ControlSpec kAboutControls[] = {
    {kIdNone, K::Picture, "", 277, 7, 53, 42, 0, "131", 79, 69},
    {kIdNone, K::EtchedFrame, "", 7, 7, 198, 112, 0},
    {kIdNone, K::Text,
     QT_TRANSLATE_NOOP("Tinsori",
                       "Tinsori plays wind chimes on your MIDI synthesizer while you work. A "
                       "ring of tuned chimes hangs round a swinging pendulum, and a wandering "
                       "wind strikes them: a calm day brings rare, soft notes, a storm dense and "
                       "loud ones."),
     25, 30, 154, 58, kWraps},
    {kIdNone, K::Text, "Quillfen\nquillfen.example\nhello@quillfen.example", 239, 62, 91, 49,
     kWraps},
    {kIdNone, K::Text,
     QT_TRANSLATE_NOOP("Tinsori",
                       "Tinsori Version %1 \xe2\x80\x94 made by Quillfen, free to share"),
     15, 129, 315, 8, kCentered},
    {kIdOk, K::DefaultPushButton, QT_TRANSLATE_NOOP("Tinsori", "OK"), 134, 145, 70, 17,
     kTabStop | kGroup},
};

constexpr DialogTemplate kAbout{QT_TRANSLATE_NOOP("Tinsori", "Tinsori version %1"), 337, 169, 9,
                                kAboutControls};

}  // namespace

const DialogTemplate& AboutDialogTemplate() {
    return kAbout;
}

}  // namespace tinsori
