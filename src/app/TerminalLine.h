#pragma once

#include <ostream>
#include <string>

namespace tinsori {

// One line of a terminal rewritten in place (a status or progress line). When the stream is not
// a terminal it writes nothing, so logs and pipes stay clean.
class TerminalLine {
public:
    TerminalLine(std::ostream& stream, bool enabled) : stream_(stream), enabled_(enabled) {}
    ~TerminalLine() { finish(); }
    TerminalLine(const TerminalLine&) = delete;
    TerminalLine& operator=(const TerminalLine&) = delete;

    void show(const std::string& text);
    // Ends the line so that later output starts on a fresh one.
    void finish();

    // True when file descriptor `fd` is a terminal.
    static bool IsTerminal(int fd);

private:
    std::ostream& stream_;
    bool enabled_;
    bool shown_ = false;
};

}  // namespace tinsori
