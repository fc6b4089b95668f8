#pragma once

#include <windows.h>

#include <map>

namespace tinsori {

// The template's pictures (bitmap resources named by their template numbers), loaded once and
// drawn without their magenta key colour, so the dialog's own face shows around the drawing.
class PictureBitmaps {
public:
    PictureBitmaps() = default;
    ~PictureBitmaps();
    PictureBitmaps(const PictureBitmaps&) = delete;
    PictureBitmaps& operator=(const PictureBitmaps&) = delete;

    // `number` is the template's picture ("131"); nothing is drawn for an unknown one.
    void Draw(HDC dc, const RECT& area, const char* number);

private:
    HBITMAP Load(int id);

    std::map<int, HBITMAP> bitmaps_;
};

}  // namespace tinsori
