#pragma once

#include <cstdint>

struct sd_bus;

namespace tinsori {

// A client of RealtimeKit (org.freedesktop.RealtimeKit1 on the system bus), the daemon through
// which desktop audio programs obtain real-time scheduling without privileges. Each object holds
// its own short-lived connection; nothing here is shared between threads.
class RealtimeKit {
public:
    // Connects and reads the daemon's limits; a missing bus or daemon leaves it unavailable.
    RealtimeKit();
    ~RealtimeKit();
    RealtimeKit(const RealtimeKit&) = delete;
    RealtimeKit& operator=(const RealtimeKit&) = delete;

    bool available() const { return bus_ != nullptr; }
    int maxRealtimePriority() const { return maxRealtimePriority_; }
    int minNiceLevel() const { return minNiceLevel_; }

    // The daemon refuses a process whose RLIMIT_RTTIME exceeds its maximum (a runaway real-time
    // thread is then stopped by the kernel), so this lowers the limit first.
    bool makeRealtime(uint64_t threadId, uint32_t priority);
    bool makeHighPriority(uint64_t threadId, int32_t niceLevel);

private:
    bool readLimits();
    bool limitRealtimeRuntime() const;

    sd_bus* bus_ = nullptr;
    int maxRealtimePriority_ = 0;
    int minNiceLevel_ = 0;
    int64_t rttimeUsecMax_ = 0;
};

}  // namespace tinsori
