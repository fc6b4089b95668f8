#include "settings/SettingsPersistence.h"

#include <algorithm>
#include <string>

#include "music/HoldNotes.h"

namespace tinsori {

namespace {

constexpr const char* kSettings = "Settings";
constexpr const char* kMidi = "Midi";

std::string VolumeName(int channel) {
    return std::string(setting::kVolume.storeName) + " " + std::to_string(channel);
}

int ReadInt(ProfileStore& store, const char* name, int fallback) {
    return store.ReadInt(kSettings, name, fallback);
}
// A whole-number setting, brought into its range.
int ReadInRange(ProfileStore& store, const SettingSpec& spec) {
    return spec.Clamp(ReadInt(store, spec.storeName, spec.storedDefault));
}
// The reals are kept as scaled integers and read back as unsigned 32-bit values.
double ReadReal(ProfileStore& store, const SettingSpec& spec) {
    const int stored = ReadInt(store, spec.storeName, spec.storedDefault);
    return spec.FromStored(static_cast<double>(static_cast<uint32_t>(stored)));
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
void WriteReal(ProfileStore& store, const SettingSpec& spec, double value) {
    WriteInt(store, spec.storeName, static_cast<int32_t>(value * spec.storedPerUnit));
}

}  // namespace

void LoadSettings(ProfileStore& store, ChimeSettings& s, ScaleTable& scales) {
    // 1. The sixteen values, in the record's construction order, each brought into range.
    s.instrument = ReadInRange(store, setting::kInstrument);
    s.windSpeed = ReadInRange(store, setting::kWind);
    s.windNow = s.windSpeed;
    s.prismoraEnabled = Flag(ReadInt(store, "Prismora", 1));
    const SettingSpec& channelSpec = setting::kChannel;
    int channel = ReadInt(store, channelSpec.storeName, channelSpec.storedDefault);
    s.channel = channel == channelSpec.Clamp(channel) ? channel : channelSpec.storedDefault;
    s.volume = StoredVolume(store, s.channel);  // read again once the device gives a channel
    s.baseNote = ReadInRange(store, setting::kBaseNote);
    int scaleIndex = ReadInt(store, "Scale Using", 0);
    s.numChimes = std::clamp(ReadInt(store, "Num Chimes", 7), 1, kMaxChimes);
    s.pinkness = std::min(ReadReal(store, setting::kPinkness), setting::kPinkness.high());
    s.length = std::clamp(ReadReal(store, setting::kLength), setting::kLength.low(),
                          setting::kLength.high());
    s.closeness = std::clamp(ReadReal(store, setting::kCloseness), setting::kCloseness.low(),
                             setting::kCloseness.high());
    s.configuration =
        OneOf(ReadInt(store, "Configuration", kCenterPendulum),
              {kCenterPendulum, kAllIndependent, kChimesOnly, kQuantized}, kCenterPendulum);
    s.shuffle = Flag(ReadInt(store, "Shuffle", 0));
    s.fractal = Flag(ReadInt(store, "Fractal", 0));
    s.chords = Flag(ReadInt(store, "Chords", 0));
    s.transpose = ReadInRange(store, setting::kTranspose);
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
    WriteInt(store, setting::kWind.storeName, s.windSpeed);
    WriteInt(store, "Prismora", s.prismoraEnabled);
    WriteInt(store, setting::kInstrument.storeName, s.instrument);
    if (s.saveChannel) WriteInt(store, setting::kChannel.storeName, s.channel);
    SaveVolume(store, s.channel, s.volume);
    WriteInt(store, setting::kBaseNote.storeName, s.baseNote);
    WriteInt(store, "Scale Using", s.scaleIndex);
    WriteInt(store, "Num Chimes", s.chimeCount());
    WriteReal(store, setting::kPinkness, s.pinkness);
    WriteReal(store, setting::kLength, s.length);
    WriteReal(store, setting::kCloseness, s.closeness);
    WriteInt(store, "Configuration", s.configuration);
    WriteInt(store, "Shuffle", s.shuffle);
    WriteInt(store, "Fractal", s.fractal);
    WriteInt(store, "Chords", s.chords);
    WriteInt(store, "Constant Wind", s.constantWind);
    WriteInt(store, setting::kTranspose.storeName, s.transpose);
    scales.SaveScales(store);
    instruments.SaveNames(store);
    SaveHoldFlags(store, s);
    return transaction.Commit();
}

int StoredVolume(ProfileStore& store, int channel) {
    return setting::kVolume.Clamp(
        store.ReadInt(kMidi, VolumeName(channel), setting::kVolume.storedDefault));
}

void SaveVolume(ProfileStore& store, int channel, int volume) {
    store.WriteInt(kMidi, VolumeName(channel), volume);
}

}  // namespace tinsori
