#pragma once

namespace tinsori {

// Identifiers of the main window's controls, as the handlers address them.
enum ControlId : int {
    kIdNone = 0,
    kIdOk = 1,
    kIdWindSlider = 1004,
    kIdChannel = 1007,
    kIdBaseNote = 1008,
    kIdInstrument = 1009,
    kIdScale = 1011,
    kIdChimeCount = 1012,
    kIdAbout = 1013,
    kIdNotesInUse = 1015,
    kIdPinknessSlider = 1017,
    kIdCenterPendulum = 1018,
    kIdAllIndependent = 1019,
    kIdChimesOnly = 1020,
    kIdShuffle = 1021,
    kIdQuantized = 1022,
    kIdTranspose = 1023,
    kIdClosenessSlider = 1025,
    kIdConstantWind = 1026,
    kIdFavorites = 1028,
    kIdSaveSettings = 1029,
    kIdHoldNotes = 1030,
    kIdRemove = 1031,
    kIdVolumeSlider = 1033,
    kIdNothing = 1034,
    kIdView = 1035,
    kIdFractal = 1036,
    kIdSettings = 1038,
    kIdHelp = 1039,
    kIdChords = 1041,
    kIdChimePicture = 1043,
    kIdPause = 1046,
    kIdPrismora = 1047,
    kIdLengthBar = 1048,
    // The product line at the bottom, which also tells what the player is doing.
    kIdStatusLine = 1049,
};

}  // namespace tinsori
