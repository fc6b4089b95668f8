#include "settings/SettingsPersistence.h"

#include <algorithm>
#include <string>

#include "music/HoldNotes.h"

namespace tinsori {

namespace {

constexpr const char* kSettings = "Settings";
constexpr const char* kMidi = "Midi";

constexpr double kPinknessScale = 10000.0;
constexpr double kClosenessScale = 1000.0;
constexpr int kMinWind = 2, kMaxWind = 940;
constexpr double kMinCloseness = 0.1, kMaxCloseness = 3.2;
constexpr double kMinLength = 650.0, kMaxLength = 2700.0;
constexpr int kMinTranspose = -12, kMaxTranspose = 12;
constexpr int kMinBaseNote = 12, kMaxBaseNote = 124;
constexpr int kDefaultVolume = 80;

std::string VolumeName(int channel) {
    return "Volume " + std::to_string(channel);
}

int ReadInt(ProfileStore& store, const char* name, int fallback) {
    return store.ReadInt(kSettings, name, fallback);
}
// The reals are kept as scaled integers and read back as unsigned 32-bit values.
double ReadUnsigned(ProfileStore& store, const char* name, int fallback) {
    return static_cast<double>(static_cast<uint32_t>(store.ReadInt(kSettings, name, fallback)));
}
int Flag(int value) {
    return value != 0 ? 1 : 0;
}
// A channel or configuration outside its few values is no nearer to any one of them than to
// another, so it takes the default rather than a clamped neighbour.
int OneOf(int value, std::initializer_list<int> allowed, int fallback) {
    return std::find(allowed.begin(), allowed.end(), value) != allowed.end() ? value : fallback;
}

void WriteInt(ProfileStore& store, const char* name, int value) {
    store.WriteInt(kSettings, name, value);
}
int32_t Truncated(double value) {
    return static_cast<int32_t>(value);
}

}  // namespace

void LoadSettings(ProfileStore& store, ChimeSettings& s, ScaleTable& scales) {
    // 1. The sixteen values, in the record's construction order, each brought into range.
    s.instrument = std::clamp(ReadInt(store, "Instrument", 14), 0, 127);
    s.windSpeed = std::clamp(ReadInt(store, "Wind Speed", 404), kMinWind, kMaxWind);
    s.windNow = s.windSpeed;
    s.prismoraEnabled = Flag(ReadInt(store, "Prismora", 1));
    int channel = ReadInt(store, "Channel", 0);
    s.channel = channel >= 0 && channel <= 15 ? channel : 0;
    s.volume = StoredVolume(store, s.channel);  // read again once the device gives a channel
    s.baseNote = std::clamp(ReadInt(store, "Base Note", 52), kMinBaseNote, kMaxBaseNote);
    int scaleIndex = ReadInt(store, "Scale Using", 0);
    s.numChimes = std::clamp(ReadInt(store, "Num Chimes", 7), 1, kMaxChimes);
    s.pinkness = std::min(ReadUnsigned(store, "Pinkness", 10000) / kPinknessScale, 1.0);
    s.length = std::clamp(ReadUnsigned(store, "Length", 1500), kMinLength, kMaxLength);
    s.closeness = std::clamp(ReadUnsigned(store, "Closeness", 1533) / kClosenessScale,
                             kMinCloseness, kMaxCloseness);
    s.configuration =
        OneOf(ReadInt(store, "Configuration", kCenterPendulum),
              {kCenterPendulum, kAllIndependent, kChimesOnly, kQuantized}, kCenterPendulum);
    s.shuffle = Flag(ReadInt(store, "Shuffle", 0));
    s.fractal = Flag(ReadInt(store, "Fractal", 0));
    s.chords = Flag(ReadInt(store, "Chords", 0));
    s.transpose = std::clamp(ReadInt(store, "Transpose", -3), kMinTranspose, kMaxTranspose);
    s.constantWind = Flag(ReadInt(store, "Constant Wind", 0));
    // 2. Hold-notes flags, and the current instrument's.
    LoadHoldFlags(store, s);
    // 3. The scale table; "Scale Using" is a position in it, so it is checked against it.
    scales.LoadScales(store);
    s.scaleIndex = scaleIndex >= 0 && scaleIndex < scales.count() ? scaleIndex : 0;
}

bool SaveSettings(ProfileStore& store, const ChimeSettings& s, const ScaleTable& scales,
                  const InstrumentTable& instruments) {
    // One transaction: several hundred writes commit at once, and no other copy reads half.
    ProfileStore::Transaction transaction(store);
    WriteInt(store, "Wind Speed", s.windSpeed);
    WriteInt(store, "Prismora", s.prismoraEnabled);
    WriteInt(store, "Instrument", s.instrument);
    if (s.saveChannel) WriteInt(store, "Channel", s.channel);
    SaveVolume(store, s.channel, s.volume);
    WriteInt(store, "Base Note", s.baseNote);
    WriteInt(store, "Scale Using", s.scaleIndex);
    WriteInt(store, "Num Chimes", s.chimeCount());
    WriteInt(store, "Pinkness", Truncated(s.pinkness * kPinknessScale));
    WriteInt(store, "Length", Truncated(s.length));
    WriteInt(store, "Closeness", Truncated(s.closeness * kClosenessScale));
    WriteInt(store, "Configuration", s.configuration);
    WriteInt(store, "Shuffle", s.shuffle);
    WriteInt(store, "Fractal", s.fractal);
    WriteInt(store, "Chords", s.chords);
    WriteInt(store, "Constant Wind", s.constantWind);
    WriteInt(store, "Transpose", s.transpose);
    scales.SaveScales(store);
    instruments.SaveNames(store);
    SaveHoldFlags(store, s);
    return transaction.Commit();
}

int StoredVolume(ProfileStore& store, int channel) {
    return std::clamp(store.ReadInt(kMidi, VolumeName(channel), kDefaultVolume), 0, 127);
}

void SaveVolume(ProfileStore& store, int channel, int volume) {
    store.WriteInt(kMidi, VolumeName(channel), volume);
}

}  // namespace tinsori
