#pragma once

#include <array>

namespace tinsori {

// Strikes planned too close together to wait for, sounded with the next strike that ends a wait.
// Fixed size: the thread allocates nothing once it runs.
class PendingStrikes {
public:
    static constexpr int kCapacity = 10;

    struct Strike {
        int chime;
        int velocity;
    };

    int size() const { return size_; }
    void clear() { size_ = 0; }
    // The planning rules never exceed the capacity; a further strike would be dropped.
    void append(int chime, int velocity) {
        if (size_ < kCapacity) strikes_[size_++] = Strike{chime, velocity};
    }
    const Strike* begin() const { return strikes_.data(); }
    const Strike* end() const { return strikes_.data() + size_; }

private:
    std::array<Strike, kCapacity> strikes_{};
    int size_ = 0;
};

}  // namespace tinsori
