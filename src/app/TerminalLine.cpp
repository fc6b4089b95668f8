#include "app/TerminalLine.h"

#include <unistd.h>

namespace tinsori {

void TerminalLine::show(const std::string& text) {
    if (!enabled_) return;
    // Carriage return, the text, then erase whatever a longer earlier text left.
    stream_ << '\r' << text << "\x1b[K" << std::flush;
    shown_ = true;
}

void TerminalLine::finish() {
    if (!shown_) return;
    stream_ << '\n' << std::flush;
    shown_ = false;
}

bool TerminalLine::IsTerminal(int fd) {
    return isatty(fd) == 1;
}

}  // namespace tinsori
