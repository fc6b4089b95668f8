#include "midi/ports/MessageLogWriter.h"

#include <cstdio>
#include <cstring>

#include "midi/ports/ShortMessage.h"

namespace tinsori {

std::unique_ptr<MessageLogWriter> MessageLogWriter::open(const std::string& path,
                                                         const TickClock& clock,
                                                         std::string* error) {
    auto file = std::make_unique<std::ofstream>(path, std::ios::out | std::ios::app);
    if (!*file) {
        if (error) *error = "cannot write the message log " + path + ": " + std::strerror(errno);
        return nullptr;
    }
    return std::unique_ptr<MessageLogWriter>(new MessageLogWriter(std::move(file), clock));
}

MessageLogWriter::MessageLogWriter(std::ostream& stream, const TickClock& clock)
    : stream_(&stream), clock_(clock) {}

MessageLogWriter::MessageLogWriter(std::unique_ptr<std::ofstream> file, const TickClock& clock)
    : file_(std::move(file)), stream_(file_.get()), clock_(clock) {}

std::string MessageLogWriter::formatLine(uint32_t tick, uint32_t message) {
    const ShortMessage m = ShortMessage::decode(message);
    char line[40];
    std::snprintf(line, sizeof line, "%u %02X %u %u", tick, m.status, m.data1, m.data2);
    return line;
}

void MessageLogWriter::send(uint32_t message) {
    const uint32_t tick = clock_.now();
    std::lock_guard lock(mutex_);
    if (finished_) return;
    // Flushed per line so that the log survives a crash of the program it is watching.
    *stream_ << formatLine(tick, message) << '\n' << std::flush;
}

bool MessageLogWriter::finish(uint32_t, std::string* error) {
    std::lock_guard lock(mutex_);
    finished_ = true;
    stream_->flush();
    const bool ok = static_cast<bool>(*stream_);
    if (file_) file_->close();
    if (!ok && error) *error = "writing the message log failed";
    return ok;
}

}  // namespace tinsori
