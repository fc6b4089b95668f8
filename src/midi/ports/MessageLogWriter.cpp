#include "midi/ports/MessageLogWriter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "midi/ports/ShortMessage.h"

namespace tinsori {

std::unique_ptr<MessageLogWriter> MessageLogWriter::open(const std::string& path,
                                                         const TickClock& clock,
                                                         std::string* error) {
    // Binary: the same bytes on every system, lines ending in LF alone. A UTF-8 path also
    // opens on Windows, whose narrow file names are in the ANSI code page.
    const std::filesystem::path where(std::u8string(path.begin(), path.end()));
    auto file =
        std::make_unique<std::ofstream>(where, std::ios::out | std::ios::app | std::ios::binary);
    if (!*file) {
        if (error) *error = "cannot write the message log " + path + ": " + std::strerror(errno);
        return nullptr;
    }
    return std::unique_ptr<MessageLogWriter>(new MessageLogWriter(std::move(file), path, clock));
}

std::unique_ptr<MessageLogWriter> MessageLogWriter::create(const std::string& path,
                                                           const TickClock& clock,
                                                           std::string* error) {
    auto staged = StagedFile::Create(path, error);
    if (!staged) return nullptr;
    auto writer = open(staged->path(), clock, error);
    if (!writer) return nullptr;
    writer->path_ = path;
    writer->staged_ = std::move(staged);
    return writer;
}

MessageLogWriter::MessageLogWriter(std::ostream& stream, const TickClock& clock)
    : stream_(&stream), clock_(clock) {}

MessageLogWriter::MessageLogWriter(std::unique_ptr<std::ofstream> file, std::string path,
                                   const TickClock& clock)
    : file_(std::move(file)), path_(std::move(path)), stream_(file_.get()), clock_(clock) {}

std::string MessageLogWriter::formatLine(uint32_t tick, uint32_t message) {
    const ShortMessage m = ShortMessage::decode(message);
    char line[40];
    std::snprintf(line, sizeof line, "%u %02X %u %u", tick, m.status, m.data1, m.data2);
    return line;
}

void MessageLogWriter::send(uint32_t message) {
    const uint32_t tick = clock_.now();
    std::lock_guard lock(mutex_);
    if (finished_ || failed_) return;
    // Flushed per line so that the log survives a crash of the program it is watching.
    *stream_ << formatLine(tick, message) << '\n' << std::flush;
    if (!*stream_) {
        error_ = errno;
        failed_ = true;
    }
}

std::string MessageLogWriter::failure() const {
    std::lock_guard lock(mutex_);
    std::string text = "writing the message log " + path_ + " failed";
    if (error_ != 0) text += std::string(": ") + std::strerror(error_);
    return text;
}

bool MessageLogWriter::finish(uint32_t, std::string* error) {
    bool ok = false;
    {
        std::lock_guard lock(mutex_);
        finished_ = true;
        stream_->flush();
        if (file_) file_->close();
        ok = !failed_ && static_cast<bool>(*stream_);
        if (!ok && error_ == 0) error_ = errno;
        failed_ = !ok;
    }
    if (!ok) {
        if (error) *error = failure();
        return false;
    }
    return !staged_ || staged_->Commit(error);
}

}  // namespace tinsori
