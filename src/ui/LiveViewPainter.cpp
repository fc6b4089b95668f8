#include "ui/LiveViewPainter.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QPalette>
#include <algorithm>
#include <cmath>

#include "midi/MidiOut.h"
#include "music/ChimeNoteSet.h"
#include "platform/Texts.h"
#include "player/LiveViewMotion.h"
#include "player/LiveViewTexts.h"
#include "ui/Contrast.h"
#include "ui/UiText.h"

namespace tinsori {

namespace {

constexpr double kPi = 3.14159265358979;
// 4.5 is the least for text; the view's grey words are small, and drawn antialiased even their
// strongest pixels fall a little short of their colour.
constexpr double kTextContrast = 5.0;
constexpr double kBobRadius = 0.09;
constexpr int kTrailPoints = 12;
constexpr uint32_t kTrailStepMs = 35;
constexpr uint32_t kKnockShownMs = 700;
constexpr double kBeatRingRadius = 0.32;

QColor WithAlpha(QColor c, double alpha) {
    c.setAlphaF(static_cast<float>(std::clamp(alpha, 0.0, 1.0)));
    return c;
}

QPointF At(ViewPoint p) {
    return {p.x, p.y};
}

// The colours of one frame, taken from the palette so that light and dark desktops both read.
struct Colours {
    explicit Colours(const QPalette& palette)
        : background(palette.color(QPalette::Window)),
          text(palette.color(QPalette::WindowText)),
          accent(palette.color(QPalette::Highlight)),
          dark(background.lightnessF() < 0.5),
          tube(Mixed(background, text, 0.4)),
          rim(Mixed(background, text, 0.75)),
          // Grey, yet readable: the words the view writes in it are small.
          faint(Readable(Mixed(background, text, 0.55), text, background, kTextContrast)),
          glow(dark ? QColor(255, 200, 90) : QColor(235, 140, 20)) {}
    QColor background, text, accent;
    bool dark;
    QColor tube, rim, faint, glow;
};

QFont Smaller(const QFont& font, double factor) {
    QFont small = font;
    small.setPointSizeF(font.pointSizeF() * factor);
    return small;
}

class Frame {
public:
    Frame(QPainter& painter, const QPalette& palette, const LiveScene& scene)
        : p_(painter), c_(palette), s_(scene), font_(painter.font()) {}

    void Paint() {
        Background();
        p_.setRenderHint(QPainter::Antialiasing);
        Streaks();
        Lights();
        if (s_.configuration == kQuantized) Beat();
        Knocks();
        Ring();
        Pendulum();
        Caption();
        Gauge();
        if (s_.paused) PausedNotice();
    }

private:
    // Qt's raster engine hands a fill taller than about 96 rows to its thread pool; waking the
    // pool 30 times a second costs more than the fill itself, so the background goes in bands.
    void Background() {
        constexpr double kBand = 64;
        for (double y = s_.area.top(); y < s_.area.bottom(); y += kBand)
            p_.fillRect(
                QRectF(s_.area.left(), y, s_.area.width(), std::min(kBand, s_.area.bottom() - y)),
                c_.background);
    }

    // A long line as short pieces, for the same reason.
    void DrawInPieces(QPointF from, QPointF to) {
        constexpr double kPiece = 48;
        const int pieces = 1 + static_cast<int>(std::fabs(to.y() - from.y()) / kPiece);
        for (int i = 0; i < pieces; ++i)
            p_.drawLine(from + (to - from) * i / pieces, from + (to - from) * (i + 1) / pieces);
    }

    bool PendulumPlays() const { return PendulumStrikes(s_.configuration); }

    void Streaks() {
        const QRectF& a = s_.area;
        const int visible = WindStreaks::Visible(s_.snapshot.effectiveWind);
        p_.setPen(
            QPen(WithAlpha(c_.text, c_.dark ? 0.22 : 0.18), 1.2, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < visible; ++i) {
            const WindStreaks::Streak& streak = s_.streaks.at(i);
            const double y = a.top() + streak.y * a.height();
            p_.drawLine(QPointF(a.left() + (streak.x - streak.length) * a.width(), y),
                        QPointF(a.left() + streak.x * a.width(), y));
        }
    }

    void Lights() {
        lights_ = {};
        AddStrikeLights(s_.snapshot.strikes, s_.ring, s_.now, lights_);
        AddStrikeLights(s_.handStrikes, s_.ring, s_.now, lights_);
        if (PendulumPlays()) return;
        // Without the pendulum it is the chimes themselves that move, each by its wind energy.
        double largest = 0;
        for (int k = 0; k < s_.ring.count; ++k) largest = std::max(largest, s_.energy[k]);
        for (int k = 0; k < s_.ring.count; ++k)
            lights_[k].sway += EnergySway(s_.energy[k], largest, k, s_.now);
    }

    // The tube's centre with its sway: struck by the pendulum it swings outward, stirred by the
    // wind or a neighbour it swings along the ring.
    ModelPoint SwayedCentre(int k) const {
        const Tube& tube = s_.ring.tubes[k];
        const double sway = lights_[k].sway;
        if (PendulumPlays())
            return {tube.center.x + tube.axis.x * sway, tube.center.y + tube.axis.y * sway};
        return {tube.center.x + tube.axis.y * sway, tube.center.y - tube.axis.x * sway};
    }

    void Ring() {
        const double scale = s_.frame.scale();
        const QFont labelFont = Smaller(font_, 0.8);
        const QFontMetricsF metrics(labelFont);
        const bool labels =
            LabelsFit(s_.frame, s_.ring.count, metrics.horizontalAdvance("C#8") + 6);
        p_.setFont(labelFont);
        for (int k = 0; k < s_.ring.count; ++k) {
            const Tube& tube = s_.ring.tubes[k];
            const ModelPoint centre = SwayedCentre(k);
            const double glow = lights_[k].glow;
            const QPointF at = At(s_.frame.ToView(centre));
            const double length = 2 * tube.halfLength * scale, width = 2 * tube.halfWidth * scale;
            p_.save();
            p_.translate(at);
            p_.rotate(std::atan2(-tube.axis.y, tube.axis.x) * 180 / kPi);
            if (glow > 0) {
                // A close aura rather than a wide halo keeps each fill small (see Background).
                const double aura = (0.04 + 0.08 * glow) * scale;
                p_.setPen(Qt::NoPen);
                p_.setBrush(WithAlpha(c_.glow, 0.6 * glow));
                p_.drawRoundedRect(QRectF(-length / 2 - aura, -width / 2 - aura, length + 2 * aura,
                                          width + 2 * aura),
                                   width / 2 + aura, width / 2 + aura);
            }
            const bool sounding = tube.note >= kLowestNote && tube.note <= kHighestNote;
            p_.setPen(
                QPen(glow > 0 ? c_.glow : c_.rim, 1.0, sounding ? Qt::SolidLine : Qt::DotLine));
            p_.setBrush(sounding ? Mixed(c_.tube, c_.glow, 1.4 * glow) : Qt::NoBrush);
            p_.drawRoundedRect(QRectF(-length / 2, -width / 2, length, width), width / 2,
                               width / 2);
            p_.restore();
            if (labels && sounding) Label(k, metrics);
        }
    }

    void Label(int k, const QFontMetricsF& metrics) {
        const QString name = QString::fromStdString(ShortNoteName(s_.ring.tubes[k].note));
        const double gap = (metrics.horizontalAdvance(name) / 2 + 4) / s_.frame.scale();
        const QPointF at = At(s_.frame.ToView(LabelPosition(s_.ring, k, gap)));
        const QSizeF size(metrics.horizontalAdvance(name) + 2, metrics.height());
        p_.setPen(lights_[k].glow > 0.3 ? c_.text : c_.faint);
        p_.drawText(QRectF(at - QPointF(size.width() / 2, size.height() / 2), size),
                    Qt::AlignCenter, name);
    }

    void Pendulum() {
        const double scale = s_.frame.scale();
        const QPointF centre = At(s_.frame.center());
        const bool plays = PendulumPlays();
        const ModelPoint bob = PendulumAt(s_.snapshot.swing, s_.now);
        const QPointF at = At(s_.frame.ToView(bob));
        if (plays) {
            QPointF previous = at;
            for (int i = 1; i <= kTrailPoints; ++i) {
                const QPointF point =
                    At(s_.frame.ToView(PendulumAt(s_.snapshot.swing, s_.now - i * kTrailStepMs)));
                const double fade = 1.0 - static_cast<double>(i) / (kTrailPoints + 1);
                p_.setPen(QPen(WithAlpha(c_.accent, 0.6 * fade), kBobRadius * scale * fade,
                               Qt::SolidLine, Qt::RoundCap));
                p_.drawLine(previous, point);
                previous = point;
            }
        }
        // The cord, seen from above, runs from the point it hangs from to the bob.
        p_.setPen(QPen(WithAlpha(c_.text, plays ? 0.35 : 0.15), 1.0));
        p_.drawLine(centre, at);
        p_.setPen(Qt::NoPen);
        p_.setBrush(plays ? c_.accent : WithAlpha(c_.faint, 0.5));
        p_.drawEllipse(at, kBobRadius * scale, kBobRadius * scale);
    }

    void Beat() {
        const double pulse = BeatPulse(s_.snapshot.waitStart, s_.snapshot.beat, s_.now);
        const double radius = kBeatRingRadius * s_.frame.scale() * (1 + 0.15 * pulse);
        p_.setPen(QPen(WithAlpha(c_.glow, 0.15 + 0.7 * pulse), 2.0));
        p_.setBrush(Qt::NoBrush);
        p_.drawEllipse(At(s_.frame.center()), radius, radius);
    }

    // Chimes Only: a struck chime knocks its neighbour, drawn as a spark between the two.
    void Knocks() {
        if (s_.configuration != kChimesOnly) return;
        const StrikeLog& log = s_.snapshot.strikes;
        for (int i = 0; i + 1 < log.size(); ++i) {
            const StrikeRecord& knock = log.newest(i);
            const StrikeRecord& struck = log.newest(i + 1);
            const auto age = static_cast<int32_t>(s_.now - knock.tick);
            if (age < 0) continue;
            if (age >= static_cast<int32_t>(kKnockShownMs)) break;
            if (knock.tick != struck.tick || knock.chime >= s_.ring.count ||
                struck.chime >= s_.ring.count)
                continue;
            const double fade = 1.0 - static_cast<double>(age) / kKnockShownMs;
            p_.setPen(QPen(WithAlpha(c_.glow, 0.8 * fade), 2.0, Qt::SolidLine, Qt::RoundCap));
            DrawInPieces(At(s_.frame.ToView(SwayedCentre(struck.chime))),
                         At(s_.frame.ToView(SwayedCentre(knock.chime))));
        }
    }

    void Caption() {
        const QRectF band(s_.area.left() + 10, s_.area.top() + 6, s_.area.width() - 20,
                          kCaptionBand);
        QStringList parts;
        for (const std::string* part :
             {&s_.caption.favorite, &s_.caption.scale, &s_.caption.instrument})
            if (!part->empty()) parts << QString::fromStdString(*part);
        const QString mode =
            QString::fromStdString(ConfigurationCaption(s_.configuration, s_.snapshot.beat));
        p_.setFont(Smaller(font_, 0.9));
        p_.setPen(c_.text);
        p_.drawText(band, Qt::AlignLeft | Qt::AlignTop, parts.join(QStringLiteral(" \u00b7 ")));
        p_.setPen(c_.faint);
        p_.drawText(band, Qt::AlignLeft | Qt::AlignBottom, mode);
    }

    void Gauge() {
        const double left = s_.area.left() + 16, width = s_.area.width() - 32;
        const double y = s_.area.bottom() - kGaugeBand + 18;
        const QRectF track(left, y, width, 6);
        p_.setPen(Qt::NoPen);
        p_.setBrush(WithAlpha(c_.faint, 0.35));
        p_.drawRoundedRect(track, 3, 3);
        const double wind = ShownWind(s_.snapshot.effectiveWind, s_.windSetting);
        p_.setBrush(c_.accent);
        p_.drawRoundedRect(QRectF(left, y, std::max(6.0, width * WindFraction(wind)), 6), 3, 3);
        // The slider's position, which the model's wind follows.
        const double mark = left + width * WindFraction(s_.windSetting);
        p_.setPen(QPen(c_.text, 2.0));
        p_.drawLine(QPointF(mark, y - 4), QPointF(mark, y + 10));
        p_.setFont(Smaller(font_, 0.85));
        const QRectF words(left, y + 12, width, 22);
        const int nearest = WindWord(wind);
        const std::array<Qt::Alignment, 3> align = {Qt::AlignLeft, Qt::AlignHCenter,
                                                    Qt::AlignRight};
        for (int i = 0; i < 3; ++i) {
            p_.setPen(i == nearest ? c_.text : c_.faint);
            p_.drawText(words, align[i] | Qt::AlignVCenter, UiText(kWindWords[i]));
        }
    }

    void PausedNotice() {
        QFont big = font_;
        big.setPointSizeF(font_.pointSizeF() * 1.8);
        big.setBold(true);
        p_.setFont(big);
        const QFontMetricsF metrics(big);
        const QString text = UiText(kTextPaused);
        const QSizeF size(metrics.horizontalAdvance(text) + 32, metrics.height() + 16);
        const QRectF box(At(s_.frame.center()) - QPointF(size.width() / 2, size.height() / 2),
                         size);
        p_.setPen(Qt::NoPen);
        p_.setBrush(WithAlpha(c_.background, 0.85));
        p_.drawRoundedRect(box, 8, 8);
        p_.setPen(c_.text);
        p_.drawText(box, Qt::AlignCenter, text);
    }

    QPainter& p_;
    Colours c_;
    const LiveScene& s_;
    QFont font_;
    ChimeLights lights_{};
};

}  // namespace

void PaintLiveScene(QPainter& painter, const QPalette& palette, const LiveScene& scene) {
    Frame(painter, palette, scene).Paint();
}

}  // namespace tinsori
