#include "midi/SampleClock.h"

#include <algorithm>
#include <cmath>

namespace tinsori {

SampleClock::SampleClock(const Tuning& tuning)
    : tuning_(tuning),
      nsPerFrame_(1e9 / tuning.sampleRate),
      history_(static_cast<size_t>(std::max(tuning.historyWindows, 2))) {}

double SampleClock::lineAt(uint64_t frame) const {
    return time0_ + (static_cast<double>(frame) - static_cast<double>(frame0_)) * nsPerFrame_;
}

double SampleClock::frameAt(int64_t ns) const {
    return static_cast<double>(frame0_) + (static_cast<double>(ns) - time0_) / nsPerFrame_;
}

// The line goes through `report` with the slope it had (moving the sound does not change the
// card's rate); what was learnt before the move no longer lies on it.
void SampleClock::restartAt(const Report& report) {
    frame0_ = report.frame;
    time0_ = static_cast<double>(report.heardNs);
    historyNext_ = 0;
    historyCount_ = 0;
    stepPending_ = false;
    // The reports just after a move are the least trustworthy (the server's buffer refills at
    // once): short windows again, so the line settles within a few blocks.
    windowLengthNs_ = std::min(tuning_.firstWindowNs, tuning_.windowNs);
}

void SampleClock::startWindow(const Report& report) {
    windowStartNs_ = report.heardNs;
    earliest_ = report;
    earliestError_ = static_cast<double>(report.heardNs) - lineAt(report.frame);
}

void SampleClock::observe(uint64_t frame, int64_t heardNs) {
    if (!running_) {
        running_ = true;
        lastFrame_ = frame;
        restartAt({frame, heardNs});
        startWindow({frame, heardNs});
        return;
    }
    if (frame <= lastFrame_) return;
    lastFrame_ = frame;
    const double error = static_cast<double>(heardNs) - lineAt(frame);
    if (std::fabs(error) > static_cast<double>(tuning_.relockNs)) {
        ++relocks_;
        restartAt({frame, heardNs});
        startWindow({frame, heardNs});
        return;
    }
    if (heardNs - windowStartNs_ >= windowLengthNs_) {
        closeWindow();
        startWindow({frame, heardNs});
        return;
    }
    if (error < earliestError_) {
        earliest_ = {frame, heardNs};
        earliestError_ = error;
    }
}

void SampleClock::closeWindow() {
    windowLengthNs_ = std::min(2 * windowLengthNs_, tuning_.windowNs);
    const double error = static_cast<double>(earliest_.heardNs) - lineAt(earliest_.frame);
    if (std::fabs(error) > static_cast<double>(tuning_.stepNs)) {
        // One window late throughout can be a busy stretch of the machine; two in a row that
        // agree mean the sound moved.
        const bool confirmed =
            stepPending_ && std::fabs(error - pendingError_) <= static_cast<double>(tuning_.stepNs);
        stepPending_ = !confirmed;
        pendingError_ = error;
        if (confirmed) {
            ++steps_;
            restartAt(earliest_);
        }
        return;
    }
    stepPending_ = false;
    history_[historyNext_] = earliest_;
    historyNext_ = (historyNext_ + 1) % history_.size();
    historyCount_ = std::min(historyCount_ + 1, history_.size());
    fitLine();
}

// Least squares through the kept reports, relative to the newest so that doubles keep their
// precision over hours of frames; the line is then anchored at the newest. Until the reports
// span a few seconds their slope would be as noisy as they are: the line keeps its slope and
// goes through the newest.
void SampleClock::fitLine() {
    const Report& newest = history_[(historyNext_ + history_.size() - 1) % history_.size()];
    const Report& oldest = history_[historyCount_ < history_.size() ? 0 : historyNext_];
    frame0_ = newest.frame;
    time0_ = static_cast<double>(newest.heardNs);
    if (newest.heardNs - oldest.heardNs < tuning_.slopeSpanNs) return;
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (size_t i = 0; i < historyCount_; ++i) {
        const Report& r = history_[i];
        const double x = static_cast<double>(r.frame) - static_cast<double>(newest.frame);
        const double y = static_cast<double>(r.heardNs - newest.heardNs);
        sx += x, sy += y, sxx += x * x, sxy += x * y;
    }
    const double n = static_cast<double>(historyCount_);
    nsPerFrame_ = (n * sxy - sx * sy) / (n * sxx - sx * sx);
    time0_ += (sy - nsPerFrame_ * sx) / n;
}

}  // namespace tinsori
