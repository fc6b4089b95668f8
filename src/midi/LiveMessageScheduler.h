#pragma once

#include <atomic>
#include <cstdint>

#include "midi/SampleClock.h"
#include "midi/TimedMessageQueue.h"

namespace tinsori {

// Places each message for a live synthesizer at the frame heard one fixed latency after the
// steady time it belongs to, whenever the audio output happens to ask for a block. A message
// whose frame has already gone out sounds at the start of the next block; messages never
// overtake one another, so volume and program changes stay in step with the notes. A note-on
// that could only sound long after its time (the sound stalled) is dropped instead: struck late
// together with the others due meanwhile it would be a loud cluster.
class LiveMessageScheduler {
public:
    // What the audio output's block is made of: stretches of synthesis with messages between.
    class Block {
    public:
        virtual ~Block() = default;
        // Synthesizes `count` frames starting `offset` frames into the block.
        virtual void render(int offset, int count) = 0;
        // Plays one message at the current position.
        virtual void apply(uint32_t message) = 0;
    };

    struct Tuning {
        SampleClock::Tuning clock;
        int64_t latencyNs = 50'000'000;
        size_t capacity = 16384;
        // How late a note-on may still sound.
        int64_t noteOnLimitNs = 250'000'000;
    };

    explicit LiveMessageScheduler(const Tuning& tuning);

    // Any thread: queues a message belonging to steady time `stampNs`. False when the queue is
    // full (the audio output has stopped asking for blocks).
    bool post(int64_t stampNs, uint32_t message);

    // Audio thread: fills the next block of `frames` frames, whose first frame is heard at
    // `heardNs`, with the messages due in it.
    void runBlock(int frames, int64_t heardNs, Block& block);
    // Audio thread, while nothing is heard: plays the messages due before `nowNs` by more than
    // the note-on limit without sound, dropping their note-ons.
    void settleUnheard(int64_t nowNs, Block& block);

    // Messages that sounded noticeably after their frame (at the start of a block), so far.
    // Any thread.
    uint64_t lateMessages() const { return late_.load(std::memory_order_relaxed); }
    // Note-ons dropped for being later than the limit, so far. Any thread.
    uint64_t droppedNotes() const { return dropped_.load(std::memory_order_relaxed); }
    // Audio thread (or once it has stopped).
    const SampleClock& clock() const { return clock_; }
    uint64_t framesRendered() const { return frame_; }

private:
    // Drops the front message when it is a note-on; true when it did.
    bool dropNoteOn(uint32_t message);

    int64_t latencyNs_;
    int64_t noteOnLimitNs_;
    double noteOnLimitFrames_;
    SampleClock clock_;
    TimedMessageQueue queue_;
    uint64_t frame_ = 0;
    std::atomic<uint64_t> late_{0};
    std::atomic<uint64_t> dropped_{0};
};

}  // namespace tinsori
