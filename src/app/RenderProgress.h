#pragma once

#include <chrono>
#include <ostream>
#include <string>

#include "app/TerminalLine.h"
#include "platform/StopSignalDescriptor.h"

namespace tinsori {

// A render's progress line and its way to stop: every pass over the audio (rendering, then,
// when normalizing, measuring and the final pass) reports here between blocks, and learns here
// that a stop signal came.
class RenderProgress {
public:
    RenderProgress(StopSignalDescriptor& signals, std::ostream& err);

    // Shows how far `pass` has come once the render has taken more than a second; false once a
    // stop signal has come.
    bool update(const std::string& pass, double fraction);
    // Ends the progress line, so that what follows starts on a line of its own.
    void endLine() { line_.finish(); }
    // The stop signal taken, else 0.
    int stopSignal();

private:
    StopSignalDescriptor& signals_;
    TerminalLine line_;
    std::chrono::steady_clock::time_point started_;
    std::string shown_;
    int signal_ = 0;
};

}  // namespace tinsori
