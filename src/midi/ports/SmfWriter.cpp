#include "midi/ports/SmfWriter.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "midi/ports/ShortMessage.h"

namespace tinsori {

namespace {

// Largest delta a variable-length quantity can hold (about 74 hours of milliseconds).
constexpr uint32_t kMaxDelta = 0x0FFFFFFF;

void putBigEndian(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
        out.push_back((value >> shift) & 0xFF);
}

void putVariableLength(std::vector<uint8_t>& out, uint32_t value) {
    uint8_t groups[4];
    int count = 0;
    do {
        groups[count++] = value & 0x7F;
        value >>= 7;
    } while (value != 0 && count < 4);
    while (count > 1) out.push_back(groups[--count] | 0x80);
    out.push_back(groups[0]);
}

// Only channel messages belong in the track; a byte with the top bit set inside a message
// would be read as a new status and corrupt every event after it.
bool putEvent(std::vector<uint8_t>& track, uint32_t delta, uint32_t message) {
    const ShortMessage m = ShortMessage::decode(message);
    if (m.status < 0x80 || m.status >= 0xF0) return false;
    putVariableLength(track, delta);
    track.push_back(m.status);
    track.push_back(m.data1 & 0x7F);
    if (m.dataLength() == 2) track.push_back(m.data2 & 0x7F);
    return true;
}

}  // namespace

std::unique_ptr<SmfWriter> SmfWriter::create(const TickClock& clock, const std::string& path,
                                             std::string* error) {
    auto staged = StagedFile::Create(path, error);
    if (!staged) return nullptr;
    auto writer = std::make_unique<SmfWriter>(clock);
    writer->staged_ = std::move(staged);
    return writer;
}

SmfWriter::SmfWriter(const TickClock& clock) : clock_(clock) {}

void SmfWriter::send(uint32_t message) {
    const uint32_t tick = clock_.now();
    std::lock_guard lock(mutex_);
    if (!finished_) events_.push_back({tick, message});
}

std::vector<uint8_t> SmfWriter::bytes(uint32_t endTick) const {
    std::lock_guard lock(mutex_);
    std::vector<uint8_t> track = {0x00, 0xFF, 0x51, 0x03};
    putBigEndian(track, kTempo, 3);
    uint32_t last = 0;
    for (const Event& e : events_) {
        // Ticks only move forward; a clock that stepped back would give a huge unsigned delta.
        const uint32_t delta = e.tick >= last ? std::min(e.tick - last, kMaxDelta) : 0;
        if (putEvent(track, delta, e.message)) last = std::max(last, e.tick);
    }
    putVariableLength(track, endTick > last ? std::min(endTick - last, kMaxDelta) : 0);
    track.insert(track.end(), {0xFF, 0x2F, 0x00});

    std::vector<uint8_t> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1};
    putBigEndian(file, kDivision, 2);
    file.insert(file.end(), {'M', 'T', 'r', 'k'});
    putBigEndian(file, static_cast<uint32_t>(track.size()), 4);
    file.insert(file.end(), track.begin(), track.end());
    return file;
}

bool SmfWriter::finish(uint32_t endTick, std::string* error) {
    const std::vector<uint8_t> data = bytes(endTick);
    std::lock_guard lock(mutex_);
    const bool first = !finished_;
    finished_ = true;
    if (!first || !staged_) return true;
    if (!staged_->WriteAll(data.data(), data.size())) {
        if (error) *error = "cannot write " + staged_->target() + ": " + std::strerror(errno);
        return false;
    }
    return staged_->Commit(error);
}

}  // namespace tinsori
