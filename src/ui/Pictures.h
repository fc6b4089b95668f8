#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace tinsori {

// The program's pictures, shipped as resources. A missing picture gives an empty pixmap, so the
// window still opens when the resources are not built in.

// Bitmap `name` ("131", "164", ...), its "@2x" drawing on a screen scaled by more than 1, so it
// keeps its size in device-independent pixels and stays sharp.
QPixmap LoadPicture(const QString& name, qreal devicePixelRatio);

// The application icon in every size shipped.
QIcon ApplicationIcon();

// The pointing hand over the chime picture, its hot spot at the fingertip.
QCursor HandCursor();

}  // namespace tinsori
