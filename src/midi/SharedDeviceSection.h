#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/ProcessIdentity.h"
#include "store/ProfileStore.h"

namespace tinsori {

// One running copy's claim: who it is and the channel it plays on.
struct DeviceHolder {
    ProcessIdentity id;
    int channel = 0;
};

// The values of section "Current" through which running copies share the device and the
// channels. Numbers the section keeps as text are written as plain decimal; a reader starts
// from "0", so an integer or a non-number in their place counts as 0.
class SharedDeviceSection {
public:
    explicit SharedDeviceSection(ProfileStore& store) : store_(store) {}

    long namedHolder();
    void setNamedHolder(long pid);  // as decimal text
    int32_t openApps();
    void setOpenApps(int32_t count);
    uint32_t channelsInUse();
    void setChannelsInUse(uint32_t mask);  // as decimal text
    // Writes the integer 0 to "Midi Device", "NumOpenApps" and "ChannelsInUse" and drops every
    // holder record: nobody holds the device.
    void clearAll();

    std::vector<DeviceHolder> holders();
    void writeHolder(const DeviceHolder& holder);
    void removeHolder(long pid);

    static uint32_t ChannelBit(int channel) { return 1u << (channel & 15); }
    static uint32_t MaskOf(const std::vector<DeviceHolder>& holders);

private:
    long readNumberText(const char* name);

    ProfileStore& store_;
};

}  // namespace tinsori
