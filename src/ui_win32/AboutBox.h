#pragma once

#include <windows.h>

namespace tinsori {

class PictureBitmaps;

// The About box, modal over the main window; F1 there asks the main window for its help.
class AboutBox {
public:
    static void Show(HWND owner, PictureBitmaps& pictures);
};

}  // namespace tinsori
