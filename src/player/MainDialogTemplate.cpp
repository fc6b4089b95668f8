#include "platform/TextCatalogue.h"

#include "player/ControlIds.h"
#include "player/DialogTemplate.h"

// The main window's template: every control, in tab order, placed in dialog units.

namespace tinsori {

namespace {

using K = ControlKind;
constexpr unsigned kTab = kTabStop;

constexpr ControlSpec kMainControls[] = {
    {kIdNone, K::GroupBox, QT_TRANSLATE_NOOP("Tinsori", "Presets"), 7, 3, 261, 38, 0},
    {kIdNone, K::Text, QT_TRANSLATE_NOOP("Tinsori", "Fa&vorite Settings"), 14, 13, 54, 8, kGroup},
    {kIdFavorites, K::EditableCombo, "", 14, 23, 117, 210, kTab | kSorted},
    {kIdSaveSettings, K::PushButton, QT_TRANSLATE_NOOP("Tinsori", "Save Settings"), 135, 11, 53, 12,
     kTab},
    {kIdRemove, K::PushButton, QT_TRANSLATE_NOOP("Tinsori", "Remove"), 135, 26, 53, 12, kTab},
    {kIdView, K::PushButton, QT_TRANSLATE_NOOP("Tinsori", "View"), 197, 25, 28, 13, kTab},
    {kIdSettings, K::PushButton, QT_TRANSLATE_NOOP("Tinsori", "Settings"), 229, 25, 34, 13, kTab},
    {kIdNone, K::GroupBox, "MIDI", 7, 43, 261, 37, 0},
    {kIdNone, K::Text, QT_TRANSLATE_NOOP("Tinsori", "&Instrument"), 14, 52, 34, 8, kGroup},
    {kIdInstrument, K::EditableCombo, "", 14, 62, 94, 164, kTab},
    {kIdHoldNotes, K::CheckBox, QT_TRANSLATE_NOOP("Tinsori", "Hold Notes"), 58, 51, 51, 10, kTab},
    {kIdNone, K::SunkenFrame, "", 112, 48, 1, 32, 0},
    {kIdNone, K::Text, QT_TRANSLATE_NOOP("Tinsori", "Chann&el"), 120, 52, 31, 8, kGroup},
    {kIdChannel, K::DropDownList, "", 120, 62, 33, 139, kTab},
    {kIdNone, K::Text, QT_TRANSLATE_NOOP("Tinsori", "Vol&ume"), 159, 52, 31, 8, kGroup},
    {kIdVolumeSlider, K::HorizontalBar, "", 158, 63, 104, 11, kTab},
    {kIdNone, K::GroupBox, QT_TRANSLATE_NOOP("Tinsori", "Chime Selection"), 7, 82, 261, 46, 0},
    {kIdNone, K::Text, QT_TRANSLATE_NOOP("Tinsori", "&Number of Chimes"), 15, 91, 36, 17,
     kGroup | kWraps},
    {kIdChimeCount, K::Edit, "", 14, 109, 34, 13, kTab},
    {kIdNone, K::Text, QT_TRANSLATE_NOOP("Tinsori", "&Base Note"), 52, 99, 34, 8, kGroup},
    {kIdBaseNote, K::DropDownList, "", 52, 109, 41, 131, kTab},
    {kIdNone, K::Text, QT_TRANSLATE_NOOP("Tinsori", "&Scale"), 96, 99, 19, 8,
     kGroup | kRightAligned},
    {kIdScale, K::DropDownList, "", 97, 109, 124, 131, kTab},
    {kIdNone, K::Text, QT_TRANSLATE_NOOP("Tinsori", "&Transpose"), 226, 99, 34, 8, kGroup},
    {kIdTranspose, K::DropDownList, "", 226, 109, 36, 131, kTab},
    {kIdNone, K::GroupBox, QT_TRANSLATE_NOOP("Tinsori", "Chime Configuration"), 7, 129, 261, 62, 0},
    {kIdCenterPendulum, K::RadioButton, QT_TRANSLATE_NOOP("Tinsori", "Center &Pendulum"), 14, 139,
     70, 10, kTab | kGroup},
    {kIdAllIndependent, K::RadioButton, QT_TRANSLATE_NOOP("Tinsori", "All In&dependent"), 14, 148,
     65, 10, 0},
    {kIdChimesOnly, K::RadioButton, QT_TRANSLATE_NOOP("Tinsori", "Chimes On&ly"), 14, 157, 55, 10,
     0},
    {kIdQuantized, K::RadioButton, QT_TRANSLATE_NOOP("Tinsori", "&Quantized"), 14, 166, 48, 10, 0},
    {kIdShuffle, K::CheckBox, QT_TRANSLATE_NOOP("Tinsori", "Shu&ffle Order"), 14, 179, 57, 10,
     kTab | kGroup},
    {kIdNone, K::Text, QT_TRANSLATE_NOOP("Tinsori", "Ends Sp&read Apart"), 115, 138, 60, 8, kGroup},
    {kIdPinknessSlider, K::HorizontalBar, "", 101, 149, 161, 11, kTab},
    {kIdNone, K::Text, QT_TRANSLATE_NOOP("Tinsori", "Chi&mes Far From Pendulum"), 115, 164, 86, 8,
     kGroup},
    {kIdClosenessSlider, K::HorizontalBar, "", 101, 175, 161, 11, kTab},
    {kIdConstantWind, K::CheckBox, QT_TRANSLATE_NOOP("Tinsori", "C&onstant Wind Speed"), 7, 195, 85,
     10, kTab},
    {kIdFractal, K::CheckBox, QT_TRANSLATE_NOOP("Tinsori", "Fr&actal in Nature"), 108, 195, 68, 10,
     kTab},
    {kIdNone, K::Text, QT_TRANSLATE_NOOP("Tinsori", "&Calm Day"), 7, 208, 36, 8, kGroup},
    {kIdWindSlider, K::HorizontalBar, "", 7, 219, 314, 11, kTab},
    {kIdChimePicture, K::Picture, "", 333, 14, 53, 42, kTab, "131", 79, 69},
    {kIdNone, K::Text, QT_TRANSLATE_NOOP("Tinsori", "Chimes in Use"), 273, 8, 46, 8, kGroup},
    {kIdNotesInUse, K::NotesBox, "", 273, 18, 49, 174, kTab},
    {kIdPause, K::PushButton, QT_TRANSLATE_NOOP("Tinsori", "Pause"), 328, 148, 64, 32, kTab},
    {kIdAbout, K::PushButton, QT_TRANSLATE_NOOP("Tinsori", "About Tinsori"), 328, 182, 64, 32,
     kTab},
    {kIdHelp, K::PushButton, QT_TRANSLATE_NOOP("Tinsori", "&Help"), 328, 218, 64, 32, kTab},
    {kIdNone, K::Text, QT_TRANSLATE_NOOP("Tinsori", "Storm's-a-Brewin'"), 266, 208, 54, 8, kGroup},
    {kIdNone, K::Text, QT_TRANSLATE_NOOP("Tinsori", "Nice Breeze"), 142, 208, 40, 8, kGroup},
    {kIdNone, K::Text, QT_TRANSLATE_NOOP("Tinsori", "Circular"), 197, 138, 51, 8,
     kGroup | kRightAligned},
    {kIdStatusLine, K::Text, QT_TRANSLATE_NOOP("Tinsori", "Tinsori wind chimes"), 12, 239, 173, 9,
     kGroup},
    {kIdNone, K::SunkenFrame, "", 7, 237, 314, 13, 0},
    {kIdNothing, K::DefaultPushButton, "Nothing", 338, 41, 14, 15, kTab | kHidden},
    {kIdNone, K::Picture, "", 102, 136, 12, 11, 0, "165", 18, 18},
    {kIdNone, K::Text, QT_TRANSLATE_NOOP("Tinsori", "Closer In"), 216, 164, 32, 8,
     kGroup | kRightAligned},
    {kIdNone, K::Picture, "", 251, 136, 12, 11, 0, "164", 18, 18},
    {kIdNone, K::Picture, "", 200, 50, 51, 11, 0, "166", 76, 18},
    {kIdNone, K::Picture, "", 252, 51, 11, 10, 0, "134", 16, 16},
    {kIdNone, K::Picture, "", 101, 162, 12, 11, 0, "167", 18, 18},
    {kIdNone, K::Picture, "", 251, 163, 12, 11, 0, "168", 18, 18},
    {kIdNone, K::SunkenFrame, "", 192, 7, 1, 34, 0},
    {kIdChords, K::CheckBox, QT_TRANSLATE_NOOP("Tinsori", "Chord Progressions"), 194, 194, 77, 10,
     kTab | kHidden},
    {kIdPrismora, K::CheckBox, "Prismora", 196, 11, 69, 10, kTab},
    {kIdLengthBar, K::VerticalBar, "", 86, 137, 10, 49, kTab},
    {kIdNone, K::Text, "quillfen.example/tinsori", 209, 239, 105, 9, kGroup | kRightAligned},
};

constexpr DialogTemplate kMain{"Tinsori (Quillfen)", 397, 254, 8, kMainControls};

}  // namespace

const DialogTemplate& MainDialogTemplate() {
    return kMain;
}

}  // namespace tinsori
