#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

#include "midi/LiveMessageScheduler.h"

namespace tinsori {
namespace {

constexpr int64_t kMs = 1'000'000;
constexpr int kBlock = 512;
constexpr int64_t kLatency = 50 * kMs;
constexpr int64_t kAhead = 23 * kMs;  // queued at the server when a block is asked for

struct Placed {
    uint64_t frame;
    uint32_t message;
};

// Records where in the stream each message was applied.
class RecordingBlock : public LiveMessageScheduler::Block {
public:
    uint64_t start = 0;
    int position = 0;
    std::vector<Placed> placed;
    void render(int offset, int count) override {
        EXPECT_EQ(offset, position);
        position += count;
    }
    void apply(uint32_t message) override { placed.push_back({start + position, message}); }
};

// A sound card whose clock runs `ratePpm` off the steady clock, asked for blocks in bursts:
// each request is up to 4 ms early or late against an even pace. The audio thread wakes after
// the request, so a block's report of when it is heard is late, never early: by up to 0.8 ms,
// and on a busy machine every seventh block by `busyMs` more, and every 400 blocks all of 12 in a
// row by a quarter of that.
class SimulatedCard {
public:
    explicit SimulatedCard(double ratePpm, int busyMs = 0)
        : nsPerFrame_(1e9 / (44100.0 * (1 + ratePpm * 1e-6))), busyMs_(busyMs) {}

    LiveMessageScheduler scheduler{LiveMessageScheduler::Tuning{{}, kLatency, 4096}};
    RecordingBlock block;

    // When frame `frame` is heard, on the steady clock.
    int64_t heardAt(uint64_t frame) const {
        return startNs_ + gapNs_ + std::llround(static_cast<double>(frame) * nsPerFrame_);
    }
    // The steady time at which the next block is asked for.
    int64_t nextRequest() const { return heardAt(block.start) - kAhead + burst() * kMs; }
    void runBlock() {
        block.position = 0;
        const uint64_t index = block.start / kBlock;
        const int64_t busy = index % 7 == 3     ? busyMs_ * kMs
                             : index % 400 < 12 ? busyMs_ * kMs / 4
                                                : 0;
        scheduler.runBlock(kBlock, heardAt(block.start) + std::abs(burst()) * kMs / 5 + busy,
                           block);
        EXPECT_EQ(block.position, kBlock);
        block.start += kBlock;
    }
    // Messages are sent as the steady clock passes their stamps; blocks run when asked for.
    void playUntil(int64_t ns, std::vector<int64_t>& stamps, uint32_t& nextMessage) {
        size_t sent = nextMessage;
        while (nextRequest() < ns) {
            while (sent < stamps.size() && stamps[sent] <= nextRequest())
                scheduler.post(stamps[sent], static_cast<uint32_t>(sent)), ++sent;
            runBlock();
        }
        nextMessage = static_cast<uint32_t>(sent);
    }
    // The sound stops for `ns` (a stall, a suspend): the same frames are heard that much later.
    void stall(int64_t ns) { gapNs_ += ns; }
    // The frame at which a message stamped `ns` belongs.
    double dueFrame(int64_t ns) const {
        return static_cast<double>(ns + kLatency - startNs_ - gapNs_) / nsPerFrame_;
    }

private:
    int burst() const {
        static const int kBurst[] = {0, -4, 3, -1, 4, -3, 2, 1};
        return kBurst[block.start / kBlock % 8];
    }

    double nsPerFrame_;
    int busyMs_;
    int64_t startNs_ = 1'000 * kMs;
    int64_t gapNs_ = 0;
};

std::vector<int64_t> EvenStamps(int64_t from, int64_t to, int64_t every) {
    std::vector<int64_t> stamps;
    for (int64_t t = from; t < to; t += every) stamps.push_back(t);
    return stamps;
}

// Placement error of each message in milliseconds, against the card's own clock.
double WorstErrorMs(const SimulatedCard& card, const std::vector<int64_t>& stamps, size_t from,
                    size_t to) {
    double worst = 0;
    for (const Placed& p : card.block.placed)
        if (p.message >= from && p.message < to)
            worst = std::max(
                worst,
                std::fabs(static_cast<double>(p.frame) - card.dueFrame(stamps[p.message])) / 44.1);
    return worst;
}

TEST(SampleClock, FollowsADriftingCardThroughBurstyRequestsAndLateWakeUps) {
    for (auto [ppm, busyMs] : {std::pair{-1800.0, 0}, {0.0, 0}, {1800.0, 0}, {1800.0, 15}}) {
        SimulatedCard card(ppm, busyMs);
        auto stamps = EvenStamps(1'000 * kMs, 120'000 * kMs, 97 * kMs);
        uint32_t next = 0;
        card.playUntil(121'000 * kMs, stamps, next);
        ASSERT_EQ(card.block.placed.size(), stamps.size());
        // Once settled, every message within a fraction of a millisecond of its frame, where a
        // nominal rate would be 200 ms off by the end.
        const size_t settled = 10'000 / 97;
        EXPECT_LT(WorstErrorMs(card, stamps, settled, stamps.size()), 0.5)
            << ppm << " ppm, busy " << busyMs;
        EXPECT_NEAR(card.scheduler.clock().measuredRate(), 44100.0 * (1 + ppm * 1e-6), 2.0);
        EXPECT_EQ(card.scheduler.lateMessages(), 0u);
        EXPECT_EQ(card.scheduler.clock().relocks(), 0);
    }
}

TEST(SampleClock, RelocksAfterAStallAndPlaysWhatFellDueInItAtOnceInOrder) {
    SimulatedCard card(500.0);
    auto stamps = EvenStamps(1'000 * kMs, 20'000 * kMs, 50 * kMs);
    uint32_t next = 0;
    card.playUntil(10'000 * kMs, stamps, next);
    const size_t beforeStall = card.block.placed.size();
    // Two seconds without a request, while messages keep coming.
    card.stall(2'000 * kMs);
    while (next < stamps.size() && stamps[next] <= 12'000 * kMs)
        card.scheduler.post(stamps[next], next), ++next;
    card.playUntil(20'100 * kMs, stamps, next);

    ASSERT_EQ(card.block.placed.size(), stamps.size());
    EXPECT_EQ(card.scheduler.clock().relocks(), 1);
    for (size_t i = 1; i < card.block.placed.size(); ++i) {
        EXPECT_EQ(card.block.placed[i].message, i);
        EXPECT_GE(card.block.placed[i].frame, card.block.placed[i - 1].frame);
    }
    // What fell due in the stall sounds with the first block after it, not spread over the
    // following seconds ...
    const uint64_t firstAfter = card.block.placed[beforeStall].frame;
    size_t late = beforeStall;
    while (late < stamps.size() && card.block.placed[late].frame < firstAfter + kBlock) ++late;
    EXPECT_GE(late - beforeStall, 35u);
    EXPECT_EQ(card.scheduler.lateMessages(), late - beforeStall);
    // ... and what comes after is on time again at once.
    EXPECT_LT(WorstErrorMs(card, stamps, late + 1, stamps.size()), 1.0);
}

// After a long stall, every note due in it struck at once would be one loud cluster.
TEST(SampleClock, NoteOnsFarPastTheirTimeAreDroppedAndCountedTheRestKeepsItsOrder) {
    constexpr uint32_t kOldNote = 0x403C90, kProgram = 0x0EC0, kNoteOff = 0x403C80,
                       kRecentNote = 0x403E90, kSilentNoteOn = 0x003C90;
    SimulatedCard card(0.0);
    std::vector<int64_t> none;
    uint32_t next = 0;
    card.playUntil(3'000 * kMs, none, next);
    card.stall(2'000 * kMs);
    const int64_t now = card.nextRequest();
    for (auto [ago, message] : {std::pair{1'500, kOldNote},
                                {1'400, kProgram},
                                {1'300, kNoteOff},
                                {1'200, kSilentNoteOn},
                                {150, kRecentNote}})
        card.scheduler.post(now - kLatency - ago * kMs, message);
    card.runBlock();
    std::vector<uint32_t> played;
    for (const Placed& p : card.block.placed) played.push_back(p.message);
    EXPECT_EQ(played, (std::vector<uint32_t>{kProgram, kNoteOff, kSilentNoteOn, kRecentNote}));
    EXPECT_EQ(card.scheduler.droppedNotes(), 1u);

    // While nothing plays at all (the server is gone), the same holds without a block.
    RecordingBlock unheard;
    for (auto [ago, message] : {std::pair{400, kOldNote}, {300, kProgram}, {100, kRecentNote}})
        card.scheduler.post(now - kLatency - ago * kMs, message);
    card.scheduler.settleUnheard(now, unheard);
    ASSERT_EQ(unheard.placed.size(), 1u);
    EXPECT_EQ(unheard.placed[0].message, kProgram);
    EXPECT_EQ(card.scheduler.droppedNotes(), 2u);
    card.runBlock();
    EXPECT_EQ(card.block.placed.back().message, kRecentNote);
}

// A short underrun moves the sound by less than a stall would: the line follows within a window.
TEST(SampleClock, FollowsTheSoundWhenAShortUnderrunMovesIt) {
    SimulatedCard card(300.0);
    auto stamps = EvenStamps(1'000 * kMs, 20'000 * kMs, 50 * kMs);
    uint32_t next = 0;
    card.playUntil(10'000 * kMs, stamps, next);
    card.stall(8 * kMs);
    card.playUntil(20'100 * kMs, stamps, next);
    ASSERT_EQ(card.block.placed.size(), stamps.size());
    EXPECT_EQ(card.scheduler.clock().relocks(), 0);
    EXPECT_GE(card.scheduler.clock().steps(), 1);
    const size_t halfASecondLater = (10'500 - 1'000) / 50;
    EXPECT_LT(WorstErrorMs(card, stamps, halfASecondLater, stamps.size()), 0.5);
}

TEST(SampleClock, LateOrOutOfStepMessagesNeverOvertakeEarlierOnes) {
    SimulatedCard card(0.0);
    std::vector<int64_t> none;
    uint32_t next = 0;
    card.playUntil(3'000 * kMs, none, next);
    const int64_t now = card.nextRequest();
    // A program change sent long ago, then a note due inside the next block, then a volume
    // change stamped before the note (another thread's clock read): all keep their order.
    card.scheduler.post(now - 500 * kMs, 1);
    card.scheduler.post(now - kLatency + 30 * kMs, 2);
    card.scheduler.post(now - kLatency + 29 * kMs, 3);
    card.scheduler.post(now + 40 * kMs, 4);  // not due yet: waits for a later block
    const uint64_t start = card.block.start;
    card.runBlock();
    ASSERT_EQ(card.block.placed.size(), 3u);
    EXPECT_EQ(card.block.placed[0].message, 1u);
    EXPECT_EQ(card.block.placed[0].frame, start);
    EXPECT_EQ(card.block.placed[1].message, 2u);
    EXPECT_GT(card.block.placed[1].frame, start);
    EXPECT_EQ(card.block.placed[2].message, 3u);
    EXPECT_EQ(card.block.placed[2].frame, card.block.placed[1].frame);
    EXPECT_EQ(card.scheduler.lateMessages(), 1u);
    for (int i = 0; i < 8; ++i) card.runBlock();
    ASSERT_EQ(card.block.placed.size(), 4u);
    EXPECT_NEAR(static_cast<double>(card.block.placed[3].frame), card.dueFrame(now + 40 * kMs), 44);
}

TEST(SampleClock, AFullQueueRefusesInsteadOfOverwriting) {
    LiveMessageScheduler scheduler{LiveMessageScheduler::Tuning{{}, 0, 4}};
    for (uint32_t i = 0; i < 4; ++i) EXPECT_TRUE(scheduler.post(0, i));
    EXPECT_FALSE(scheduler.post(0, 4));
    RecordingBlock block;
    scheduler.runBlock(kBlock, 0, block);
    ASSERT_EQ(block.placed.size(), 4u);
    for (uint32_t i = 0; i < 4; ++i) EXPECT_EQ(block.placed[i].message, i);
}

// Senders on two threads and the audio thread at once; run under ThreadSanitizer.
TEST(SampleClockHandOver, MessagesFromTwoThreadsArriveWholeAndInEachSendersOrder) {
    // Messages stamped 0 grow late block by block: none may be dropped here.
    LiveMessageScheduler scheduler{LiveMessageScheduler::Tuning{{}, 0, 64, INT64_MAX}};
    constexpr uint32_t kEach = 5000;
    std::atomic<bool> sending{true};
    auto sender = [&](uint32_t tag) {
        for (uint32_t i = 0; i < kEach;)
            if (scheduler.post(0, tag | i))
                ++i;
            else
                std::this_thread::yield();
    };
    std::vector<uint32_t> received;
    std::thread audio([&] {
        RecordingBlock block;
        int64_t heard = 0;
        while (sending.load() || block.placed.size() < 2 * kEach) {
            block.position = 0;
            scheduler.runBlock(kBlock, heard += 11 * kMs, block);
            block.start += kBlock;
            if (block.placed.size() == 2 * kEach) break;
        }
        for (const Placed& p : block.placed) received.push_back(p.message);
    });
    std::thread a(sender, 0x100000u), b(sender, 0x200000u);
    a.join();
    b.join();
    sending = false;
    audio.join();
    ASSERT_EQ(received.size(), 2 * kEach);
    uint32_t expected[3] = {0, 0, 0};
    for (uint32_t m : received) {
        const uint32_t tag = m >> 20;
        ASSERT_EQ(m & 0xFFFFFu, expected[tag]++) << "sender " << tag;
    }
}

}  // namespace
}  // namespace tinsori
