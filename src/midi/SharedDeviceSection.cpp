#include "midi/SharedDeviceSection.h"

#include <strings.h>

#include <charconv>
#include <string>

#include "store/SplitField.h"

namespace tinsori {

namespace {

constexpr const char* kSection = "Current";
constexpr const char* kDevice = "Midi Device";
constexpr const char* kOpenApps = "NumOpenApps";
constexpr const char* kChannels = "ChannelsInUse";
constexpr const char* kHolderPrefix = "Holder ";
constexpr size_t kHolderPrefixLength = 7;
// Room for 9 characters and the terminator, in UTF-16 bytes.
constexpr uint32_t kNumberTextBytes = 20;
constexpr uint32_t kHolderTextBytes = 130;

std::string HolderName(long pid) {
    return kHolderPrefix + std::to_string(pid);
}

bool IsHolderName(const std::string& name) {
    return name.size() > kHolderPrefixLength &&
           strncasecmp(name.c_str(), kHolderPrefix, kHolderPrefixLength) == 0;
}

// A start time: Windows counts them in 100 ns units since 1601, beyond what a long holds there.
uint64_t StartTime(const std::string& field) {
    uint64_t value = 0;
    std::from_chars(field.data(), field.data() + field.size(), value);
    return value;
}

}  // namespace

long SharedDeviceSection::readNumberText(const char* name) {
    std::string text = "0";
    store_.ReadString(kSection, name, text, kNumberTextBytes);
    return FieldToInt(text);
}

long SharedDeviceSection::namedHolder() {
    return readNumberText(kDevice);
}

void SharedDeviceSection::setNamedHolder(long pid) {
    const std::string text = std::to_string(pid);
    store_.WriteString(kSection, kDevice, &text);
}

int32_t SharedDeviceSection::openApps() {
    return store_.ReadInt(kSection, kOpenApps, 0);
}

void SharedDeviceSection::setOpenApps(int32_t count) {
    store_.WriteInt(kSection, kOpenApps, count);
}

uint32_t SharedDeviceSection::channelsInUse() {
    return static_cast<uint32_t>(readNumberText(kChannels)) & 0xFFFFu;
}

void SharedDeviceSection::setChannelsInUse(uint32_t mask) {
    const std::string text = std::to_string(mask & 0xFFFFu);
    store_.WriteString(kSection, kChannels, &text);
}

void SharedDeviceSection::clearAll() {
    store_.WriteInt(kSection, kDevice, 0);
    store_.WriteInt(kSection, kOpenApps, 0);
    store_.WriteInt(kSection, kChannels, 0);
    for (const DeviceHolder& holder : holders()) removeHolder(holder.id.pid);
}

std::vector<DeviceHolder> SharedDeviceSection::holders() {
    std::vector<DeviceHolder> found;
    for (const std::string& name : store_.ValueNames(kSection)) {
        if (!IsHolderName(name)) continue;
        std::string text;
        if (store_.ReadString(kSection, name, text, kHolderTextBytes) != kKindString) continue;
        DeviceHolder holder;
        holder.id.pid = FieldToInt(name.substr(kHolderPrefixLength));
        holder.id.startTime = StartTime(SplitField(text));
        holder.channel = static_cast<int>(FieldToInt(SplitField(text)));
        if (holder.id.pid > 0 && holder.channel >= 0 && holder.channel <= 15) {
            found.push_back(holder);
        } else {
            store_.WriteString(kSection, name, nullptr);  // unusable: drop it
        }
    }
    return found;
}

void SharedDeviceSection::writeHolder(const DeviceHolder& holder) {
    const std::string text =
        std::to_string(holder.id.startTime) + "," + std::to_string(holder.channel);
    store_.WriteString(kSection, HolderName(holder.id.pid), &text);
}

void SharedDeviceSection::removeHolder(long pid) {
    store_.WriteString(kSection, HolderName(pid), nullptr);
}

uint32_t SharedDeviceSection::MaskOf(const std::vector<DeviceHolder>& holders) {
    uint32_t mask = 0;
    for (const DeviceHolder& holder : holders) mask |= ChannelBit(holder.channel);
    return mask;
}

}  // namespace tinsori
