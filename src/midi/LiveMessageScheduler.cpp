#include "midi/LiveMessageScheduler.h"

#include <cmath>

#include "midi/ports/ShortMessage.h"

namespace tinsori {

namespace {
// One step of the synthesizer's own block: less is not heard as late.
constexpr double kLateFrames = 64;
}  // namespace

LiveMessageScheduler::LiveMessageScheduler(const Tuning& tuning)
    : latencyNs_(tuning.latencyNs),
      noteOnLimitNs_(tuning.noteOnLimitNs),
      noteOnLimitFrames_(static_cast<double>(tuning.noteOnLimitNs) * tuning.clock.sampleRate / 1e9),
      clock_(tuning.clock),
      queue_(tuning.capacity) {}

bool LiveMessageScheduler::dropNoteOn(uint32_t message) {
    const ShortMessage m = ShortMessage::decode(message);
    if (m.kind() != kNoteOn || m.data2 == 0) return false;
    dropped_.fetch_add(1, std::memory_order_relaxed);
    queue_.pop();
    return true;
}

bool LiveMessageScheduler::post(int64_t stampNs, uint32_t message) {
    return queue_.push({stampNs, message});
}

void LiveMessageScheduler::runBlock(int frames, int64_t heardNs, Block& block) {
    clock_.observe(frame_, heardNs);
    const double start = static_cast<double>(frame_);
    int position = 0;
    while (const TimedMessage* next = queue_.front()) {
        const double due = std::floor(clock_.frameAt(next->stampNs + latencyNs_) - start);
        if (due >= frames) break;
        // Late, or due before a message sent earlier: now, behind everything already played.
        // The line moves by a frame or two between blocks; that is no lateness worth counting.
        if (due < position) {
            if (position - due > noteOnLimitFrames_ && dropNoteOn(next->message)) continue;
            if (due < -kLateFrames) late_.fetch_add(1, std::memory_order_relaxed);
        } else if (due > position) {
            block.render(position, static_cast<int>(due) - position);
            position = static_cast<int>(due);
        }
        block.apply(next->message);
        queue_.pop();
    }
    if (position < frames) block.render(position, frames - position);
    frame_ += static_cast<uint64_t>(frames);
}

void LiveMessageScheduler::settleUnheard(int64_t nowNs, Block& block) {
    while (const TimedMessage* next = queue_.front()) {
        if (next->stampNs + latencyNs_ + noteOnLimitNs_ >= nowNs) break;
        if (dropNoteOn(next->message)) continue;
        block.apply(next->message);
        queue_.pop();
    }
}

}  // namespace tinsori
