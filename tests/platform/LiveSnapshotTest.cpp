#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <thread>

#include "platform/LatestValue.h"

namespace tinsori {
namespace {

// A value is torn when its words come from different publications.
struct Words {
    std::array<uint64_t, 48> word{};
};

// One writer publishing as fast as it can, one reader taking the newest: the reader must see
// whole values, never an older one after a newer, and the last value once the writer stops.
TEST(LiveSnapshotTest, ReaderSeesWholeValuesInOrderWhileTheWriterRuns) {
    LatestValue<Words> exchange;
    constexpr uint64_t kValues = 200000;
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (uint64_t v = 1; v <= kValues; ++v) {
            exchange.back().word.fill(v);
            exchange.publish();
        }
        done = true;
    });
    uint64_t seen = 0;
    int torn = 0, backwards = 0;
    auto check = [&] {
        const Words& w = exchange.latest();
        for (uint64_t x : w.word) torn += x != w.word[0];
        backwards += w.word[0] < seen;
        seen = w.word[0];
    };
    while (!done) check();
    writer.join();
    check();
    EXPECT_EQ(torn, 0);
    EXPECT_EQ(backwards, 0);
    EXPECT_EQ(seen, kValues);
}

}  // namespace
}  // namespace tinsori
