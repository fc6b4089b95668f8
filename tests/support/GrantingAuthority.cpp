// A polkit authority that grants every request, for a private system bus in tests and
// benchmarks: it stands in for the active desktop session that lets RealtimeKit serve a user.
// Usage: granting_authority   (connects to $DBUS_SYSTEM_BUS_ADDRESS, runs until killed)
#include <systemd/sd-bus.h>

#include <cstdio>

namespace {

int Grant(sd_bus_message* call, void*, sd_bus_error*) {
    // (is authorized, is challenge, details)
    return sd_bus_reply_method_return(call, "(bba{ss})", 1, 0, 0);
}

const sd_bus_vtable kAuthority[] = {
    SD_BUS_VTABLE_START(0),
    SD_BUS_METHOD("CheckAuthorization", "(sa{sv})sa{ss}us", "(bba{ss})", Grant, 0),
    SD_BUS_VTABLE_END,
};

}  // namespace

int main() {
    sd_bus* bus = nullptr;
    if (sd_bus_open_system(&bus) < 0 ||
        sd_bus_add_object_vtable(bus, nullptr, "/org/freedesktop/PolicyKit1/Authority",
                                 "org.freedesktop.PolicyKit1.Authority", kAuthority, nullptr) < 0 ||
        sd_bus_request_name(bus, "org.freedesktop.PolicyKit1", 0) < 0) {
        std::fprintf(stderr, "granting_authority: cannot serve on the system bus\n");
        return 1;
    }
    for (;;) {
        const int r = sd_bus_process(bus, nullptr);
        if (r < 0) return 1;
        if (r == 0 && sd_bus_wait(bus, UINT64_MAX) < 0) return 1;
    }
}
