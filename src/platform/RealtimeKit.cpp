#include "platform/RealtimeKit.h"

#include <sys/resource.h>
#include <systemd/sd-bus.h>

#include <algorithm>

namespace tinsori {

namespace {

constexpr const char* kService = "org.freedesktop.RealtimeKit1";
constexpr const char* kObject = "/org/freedesktop/RealtimeKit1";
constexpr const char* kInterface = "org.freedesktop.RealtimeKit1";
// A daemon that hangs must not hold up the start of the music for the bus's default 25 s; a
// busy machine can still take over a second to answer the first request, which we want granted.
constexpr uint64_t kCallTimeoutUsec = 3000 * 1000;

}  // namespace

RealtimeKit::RealtimeKit() {
    if (sd_bus_open_system(&bus_) < 0) {
        bus_ = nullptr;
        return;
    }
    sd_bus_set_method_call_timeout(bus_, kCallTimeoutUsec);
    if (!readLimits()) {
        sd_bus_flush_close_unref(bus_);
        bus_ = nullptr;
    }
}

RealtimeKit::~RealtimeKit() {
    if (bus_) sd_bus_flush_close_unref(bus_);
}

bool RealtimeKit::readLimits() {
    sd_bus_error error = SD_BUS_ERROR_NULL;
    int32_t maxPriority = 0;
    int32_t minNice = 0;
    int64_t rttime = 0;
    // Reading a property also starts a bus-activated daemon.
    const bool ok =
        sd_bus_get_property_trivial(bus_, kService, kObject, kInterface, "MaxRealtimePriority",
                                    &error, 'i', &maxPriority) >= 0 &&
        sd_bus_get_property_trivial(bus_, kService, kObject, kInterface, "MinNiceLevel", &error,
                                    'i', &minNice) >= 0 &&
        sd_bus_get_property_trivial(bus_, kService, kObject, kInterface, "RTTimeUSecMax", &error,
                                    'x', &rttime) >= 0;
    sd_bus_error_free(&error);
    if (!ok) return false;
    maxRealtimePriority_ = maxPriority;
    minNiceLevel_ = minNice;
    rttimeUsecMax_ = rttime;
    return true;
}

bool RealtimeKit::limitRealtimeRuntime() const {
    if (rttimeUsecMax_ <= 0) return false;
    rlimit limit{};
    if (getrlimit(RLIMIT_RTTIME, &limit) != 0) return false;
    const auto most = static_cast<rlim_t>(rttimeUsecMax_);
    if (limit.rlim_max != RLIM_INFINITY && limit.rlim_max <= most) return true;
    limit.rlim_cur = std::min(limit.rlim_cur, most);
    limit.rlim_max = most;
    return setrlimit(RLIMIT_RTTIME, &limit) == 0;
}

bool RealtimeKit::makeRealtime(uint64_t threadId, uint32_t priority) {
    if (!bus_ || !limitRealtimeRuntime()) return false;
    sd_bus_error error = SD_BUS_ERROR_NULL;
    const int r = sd_bus_call_method(bus_, kService, kObject, kInterface, "MakeThreadRealtime",
                                     &error, nullptr, "tu", threadId, priority);
    sd_bus_error_free(&error);
    return r >= 0;
}

bool RealtimeKit::makeHighPriority(uint64_t threadId, int32_t niceLevel) {
    if (!bus_) return false;
    sd_bus_error error = SD_BUS_ERROR_NULL;
    const int r = sd_bus_call_method(bus_, kService, kObject, kInterface, "MakeThreadHighPriority",
                                     &error, nullptr, "ti", threadId, niceLevel);
    sd_bus_error_free(&error);
    return r >= 0;
}

}  // namespace tinsori
