#include "app/RenderProgress.h"

namespace tinsori {

namespace {

std::string ProgressText(const std::string& pass, double fraction) {
    constexpr int kWidth = 40;
    const int filled = static_cast<int>(fraction * kWidth);
    return pass + " [" + std::string(filled, '#') + std::string(kWidth - filled, ' ') + "] " +
           std::to_string(static_cast<int>(fraction * 100)) + "%";
}

}  // namespace

RenderProgress::RenderProgress(StopSignalDescriptor& signals, std::ostream& err)
    : signals_(signals),
      line_(err, TerminalLine::IsTerminal(2)),
      started_(std::chrono::steady_clock::now()) {}

int RenderProgress::stopSignal() {
    if (!signal_) signal_ = signals_.Take();
    return signal_;
}

bool RenderProgress::update(const std::string& pass, double fraction) {
    if (stopSignal()) return false;
    if (std::chrono::steady_clock::now() - started_ <= std::chrono::seconds(1)) return true;
    // Redrawn only when it changes: the passes over the audio report every block.
    std::string text = ProgressText(pass, fraction);
    if (text != shown_) line_.show(text);
    shown_ = std::move(text);
    return true;
}

}  // namespace tinsori
