#pragma once

#include <QLabel>
#include <functional>

namespace tinsori {

// The chime picture: the one area of the window that follows the pointer without a button
// held, so that moving over the tubes strikes them.
class ChimePicture : public QLabel {
public:
    explicit ChimePicture(QWidget* parent);

    // Offset from the picture's top-left corner, in its own (device-independent) pixels.
    std::function<void(int dx, int dy)> onPointerMove;
    std::function<void()> onPointerLeave;

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
};

}  // namespace tinsori
