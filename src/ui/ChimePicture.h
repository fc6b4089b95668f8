#pragma once

#include <QLabel>
#include <functional>

#include "player/ChimePictureKeys.h"

namespace tinsori {

// The chime picture: the one area of the window that follows the pointer without a button
// held, so that moving over the tubes strikes them. With the focus, keys strike them too: 1 to 9
// and 0 the first ten chimes, Left and Right choose a chime (marked on the picture) and Space
// strikes it.
class ChimePicture : public QLabel {
public:
    explicit ChimePicture(QWidget* parent);

    // Offset from the picture's top-left corner, in its own (device-independent) pixels.
    std::function<void(int dx, int dy)> onPointerMove;
    std::function<void()> onPointerLeave;
    // A key struck chime `chime` (0 is the first of the set).
    std::function<void(int chime)> onKeyStrike;
    // How many chimes the set has now.
    std::function<int()> chimeCount;

    int chosenChime() const;

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int Count() const;
    void Strike(int chime);

    ChimePictureKeys keys_;
};

}  // namespace tinsori
