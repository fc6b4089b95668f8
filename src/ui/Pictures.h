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

// The pictures are drawn for a light window, outlined in near black. On a dark one every colour
// that would not stand out 3:1 from the window is lightened until it does.
QPixmap ReadableOn(const QPixmap& picture, const QPalette& palette);

// The program's freedesktop id: its desktop file's name and its icon's name in icon themes.
inline constexpr char kApplicationId[] = "org.quillfen.Tinsori";

// The application icon in every size shipped, named by the id for icon themes.
QIcon ApplicationIcon();

// The application icon with a pause mark, for the tray while paused: desktops show a player's
// state in its icon, and a tip is seen only when asked for.
QIcon PausedApplicationIcon();

// The pointing hand over the chime picture, its hot spot at the fingertip.
QCursor HandCursor();

}  // namespace tinsori
