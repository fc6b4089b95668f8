#pragma once

#include <sched.h>
#include <sys/mount.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <string>

namespace tinsori::testing_support {

// A mount seen by this test process and the programs it starts alone: the process first moves
// into a mount namespace of its own. The tests run as root; where a container still refuses,
// `ready()` is false and `why()` says why (for GTEST_SKIP). Unmounted when destroyed.
class PrivateMount {
public:
    enum Kind { kSmallDisk, kReadOnly };

    // kSmallDisk: a tmpfs of `bytes` over `folder`; kReadOnly: `folder` bound onto itself
    // read-only (what it holds stays readable).
    PrivateMount(const std::string& folder, Kind kind, size_t bytes = 0) : folder_(folder) {
        if (!EnterOwnNamespace()) return;
        if (kind == kSmallDisk) {
            const std::string size = "size=" + std::to_string(bytes);
            Mount("tmpfs", MS_NOSUID | MS_NODEV, size.c_str(), "tmpfs");
        } else if (Mount(folder.c_str(), MS_BIND, nullptr, nullptr)) {
            mounted_ = ::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY,
                               nullptr) == 0 ||
                       (why_ = "read-only remount refused: " + Error(), Unmount(), false);
        }
    }
    ~PrivateMount() { Unmount(); }
    PrivateMount(const PrivateMount&) = delete;
    PrivateMount& operator=(const PrivateMount&) = delete;

    bool ready() const { return mounted_; }
    const std::string& why() const { return why_; }

    // Writes `path` until the disk it is on is full.
    static void Fill(const std::string& path) {
        std::ofstream filler(path, std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), static_cast<std::streamsize>(block.size())).flush()) {
        }
    }

private:
    static std::string Error() { return std::strerror(errno); }

    bool EnterOwnNamespace() {
        static bool entered = ::unshare(CLONE_NEWNS) == 0 &&
                              ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
        if (!entered) why_ = "no private mount namespace here: " + Error();
        return entered;
    }
    bool Mount(const char* source, unsigned long flags, const char* options, const char* type) {
        mounted_ = ::mount(source, folder_.c_str(), type, flags, options) == 0;
        if (!mounted_) why_ = "mount refused: " + Error();
        return mounted_;
    }
    void Unmount() {
        if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
        mounted_ = false;
    }

    std::string folder_;
    bool mounted_ = false;
    std::string why_;
};

}  // namespace tinsori::testing_support
