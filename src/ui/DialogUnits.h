#pragma once

#include <QFont>
#include <QRect>

#include "player/DialogUnitScale.h"

namespace tinsori {

// The player's dialog units for a Qt font, and rectangles in them.
class DialogUnits : public DialogUnitScale {
public:
    explicit DialogUnits(const QFont& font);

    QRect toRect(int x, int y, int width, int height) const;
};

}  // namespace tinsori
