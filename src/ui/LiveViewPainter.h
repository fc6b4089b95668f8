#pragma once

#include <QPainter>
#include <array>

#include "engine/LiveSnapshot.h"
#include "engine/StrikeLog.h"
#include "player/ChimeLights.h"
#include "player/LiveViewGeometry.h"
#include "player/Player.h"
#include "player/WindStreaks.h"

namespace tinsori {

// Everything one frame of the live view shows.
struct LiveScene {
    QRectF area;
    ViewFrame frame;
    const ChimeRing& ring;
    const LiveSnapshot& snapshot;
    const StrikeLog& handStrikes;
    const std::array<double, kMaxChimes>& energy;
    const WindStreaks& streaks;
    const Player::Caption& caption;
    uint32_t now = 0;
    int configuration = kCenterPendulum;
    int windSetting = 0;  // the wind slider's position
    bool paused = false;
};

// Space the caption takes above the ring and the wind gauge below it, in pixels.
inline constexpr double kCaptionBand = 44;
inline constexpr double kGaugeBand = 62;
// Room beside the ring for the note labels.
inline constexpr double kLabelMargin = 22;

// Draws one frame with the widget's palette (light or dark).
void PaintLiveScene(QPainter& painter, const QPalette& palette, const LiveScene& scene);

}  // namespace tinsori
