#pragma once

#include "platform/TextCatalogue.h"

// The texts the player, the settings and the outputs show in the window, the tray and message
// boxes, in English, the source language. The front end's translations are keyed by these.

namespace tinsori {

inline constexpr char kTextNoOutput[] = QT_TRANSLATE_NOOP("Tinsori", "No output");
inline constexpr char kTextAlsaPort[] = QT_TRANSLATE_NOOP("Tinsori", "ALSA port %1");
inline constexpr char kTextModelledChimes[] = QT_TRANSLATE_NOOP("Tinsori", "Modelled chimes");
inline constexpr char kTextMidiFile[] = QT_TRANSLATE_NOOP("Tinsori", "Standard MIDI File");
inline constexpr char kTextEmbeddedSynth[] =
    QT_TRANSLATE_NOOP("Tinsori", "Embedded synthesizer (%1)");
inline constexpr char kTextRenderTo[] = QT_TRANSLATE_NOOP("Tinsori", "render to %1 (%2)");
inline constexpr char kTextPaused[] = QT_TRANSLATE_NOOP("Tinsori", "Paused");
inline constexpr char kTextNoSoundStopped[] = QT_TRANSLATE_NOOP("Tinsori", "No sound: %1 stopped");
inline constexpr char kTextTryingAgain[] =
    QT_TRANSLATE_NOOP("Tinsori", "No sound: %1; trying again");
inline constexpr char kTextNoOutputOpened[] =
    QT_TRANSLATE_NOOP("Tinsori", "no MIDI output could be opened");
inline constexpr char kTextOpeningOutput[] = QT_TRANSLATE_NOOP("Tinsori", "Opening the output");
inline constexpr char kTextNoSoundDevice[] = QT_TRANSLATE_NOOP("Tinsori", "No sound device");
inline constexpr char kTextSleepIn[] = QT_TRANSLATE_NOOP("Tinsori", "Sleep in %1");
inline constexpr char kTextOutputIsNone[] =
    QT_TRANSLATE_NOOP("Tinsori", "No sound: the output is none");
inline constexpr char kTextChooseAnotherOutput[] =
    QT_TRANSLATE_NOOP("Tinsori", "Shift+F10 chooses another");
inline constexpr char kTextCannotPlayOn[] =
    QT_TRANSLATE_NOOP("Tinsori", "Tinsori cannot play on %1: %2.");
inline constexpr char kTextNoOutputChoice[] =
    QT_TRANSLATE_NOOP("Tinsori", "no output can be chosen here");
inline constexpr char kTextNotRunning[] = QT_TRANSLATE_NOOP("Tinsori", "the player is not running");
inline constexpr char kTextOutput[] = QT_TRANSLATE_NOOP("Tinsori", "Output");
inline constexpr char kTextSleep[] = QT_TRANSLATE_NOOP("Tinsori", "Sleep");
inline constexpr char kTextSleepOff[] = QT_TRANSLATE_NOOP("Tinsori", "Off");
inline constexpr char kTextMinutes[] = QT_TRANSLATE_NOOP("Tinsori", "%1 minutes");
inline constexpr char kTextSeconds[] = QT_TRANSLATE_NOOP("Tinsori", "%1 seconds");
inline constexpr char kTextMinutesLeft[] = QT_TRANSLATE_NOOP("Tinsori", "%1 (%2 min left)");
inline constexpr char kTextSecondsLeft[] = QT_TRANSLATE_NOOP("Tinsori", "%1 (%2 s left)");
inline constexpr char kTextExit[] = QT_TRANSLATE_NOOP("Tinsori", "E&xit");
inline constexpr char kTextSettingsCommand[] = QT_TRANSLATE_NOOP("Tinsori", "&Settings...");
inline constexpr char kTextContinueCommand[] = QT_TRANSLATE_NOOP("Tinsori", "&Continue");
inline constexpr char kTextPauseCommand[] = QT_TRANSLATE_NOOP("Tinsori", "&Pause");
inline constexpr char kTextProfileNoticeCaption[] = QT_TRANSLATE_NOOP("Tinsori", "Tinsori Profile");
inline constexpr char kTextListening[] =
    QT_TRANSLATE_NOOP("Tinsori", "You are listening to Tinsori %1");
inline constexpr char kTextOutputDidNotOpen[] =
    QT_TRANSLATE_NOOP("Tinsori", "the output did not open");
inline constexpr char kTextNoSound[] =
    QT_TRANSLATE_NOOP("Tinsori",
                      "No sound: %1.\n\nIs a sound server (PipeWire or PulseAudio) running? "
                      "Tinsori plays on silently; Pause and Continue try again. The Output "
                      "menu (Shift+F10) chooses another output; tinsori --list-audio-drivers "
                      "lists the audio drivers and --audio-driver NAME picks one.");
inline constexpr char kTextNoSoundCaption[] = QT_TRANSLATE_NOOP("Tinsori", "Tinsori: No Sound");
inline constexpr char kTextSaveFailed[] = QT_TRANSLATE_NOOP(
    "Tinsori",
    "The settings could not be saved: the profile file cannot be written (is the disk full?).");
inline constexpr char kTextStoreFailed[] = QT_TRANSLATE_NOOP(
    "Tinsori",
    "A change could not be stored: the profile file cannot be written (is the disk full?). "
    "Tinsori plays on; other copies may not see which channel this one uses.");
inline constexpr char kTextFavoriteNotSaved[] =
    QT_TRANSLATE_NOOP("Tinsori",
                      "The favorite could not be saved: the profile file cannot be "
                      "written (is the disk full?).");
inline constexpr char kTextFavoriteNotRemoved[] =
    QT_TRANSLATE_NOOP("Tinsori",
                      "The favorite could not be removed: the profile file cannot be "
                      "written (is the disk full?).");
inline constexpr char kTextRecentNotUpdated[] =
    QT_TRANSLATE_NOOP("Tinsori",
                      "The list of recent favorites could not be updated: the "
                      "profile file cannot be written (is the disk full?).");

}  // namespace tinsori
