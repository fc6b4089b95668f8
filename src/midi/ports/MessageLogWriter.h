#pragma once

#include <atomic>
#include <fstream>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>

#include "midi/ports/RenderSink.h"
#include "platform/StagedFile.h"
#include "platform/TickClock.h"

namespace tinsori {

// The message log: one line per short message, `<ms tick> <status hex> <data1> <data2>`.
// Used as the handle's tap beside any port, or alone as the output of a render.
class MessageLogWriter : public RenderSink {
public:
    // Appends to the file; null with a reason when it cannot be opened for writing.
    static std::unique_ptr<MessageLogWriter> open(const std::string& path, const TickClock& clock,
                                                  std::string* error);
    // A render's log, which holds that render alone: written to a temporary file that replaces
    // `path` when `finish` succeeds. Null with a reason when the folder refuses it.
    static std::unique_ptr<MessageLogWriter> create(const std::string& path, const TickClock& clock,
                                                    std::string* error);
    // Writes to a stream the caller keeps alive.
    MessageLogWriter(std::ostream& stream, const TickClock& clock);

    void send(uint32_t message) override;
    std::string describe() const override { return "message log"; }
    bool finish(uint32_t endTick, std::string* error) override;
    bool failed() const override { return failed_; }
    // Why the first failed write failed, once `failed()` says so.
    std::string failure() const;

    // One log line without its newline.
    static std::string formatLine(uint32_t tick, uint32_t message);

private:
    MessageLogWriter(std::unique_ptr<std::ofstream> file, std::string path, const TickClock& clock);

    std::unique_ptr<StagedFile> staged_;
    std::unique_ptr<std::ofstream> file_;
    std::string path_;
    std::ostream* stream_;
    const TickClock& clock_;
    mutable std::mutex mutex_;
    bool finished_ = false;
    std::atomic<bool> failed_{false};
    int error_ = 0;
};

}  // namespace tinsori
