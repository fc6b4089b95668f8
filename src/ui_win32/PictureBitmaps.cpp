#include "ui_win32/PictureBitmaps.h"

#include <cstdlib>

namespace tinsori {

namespace {

constexpr COLORREF kKeyColour = RGB(255, 0, 255);

}  // namespace

PictureBitmaps::~PictureBitmaps() {
    for (auto& [id, bitmap] : bitmaps_) DeleteObject(bitmap);
}

HBITMAP PictureBitmaps::Load(int id) {
    auto found = bitmaps_.find(id);
    if (found != bitmaps_.end()) return found->second;
    auto* bitmap = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                                   IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    bitmaps_[id] = bitmap;
    return bitmap;
}

void PictureBitmaps::Draw(HDC dc, const RECT& area, const char* number) {
    HBITMAP bitmap = number ? Load(std::atoi(number)) : nullptr;
    if (!bitmap) return;
    BITMAP info{};
    GetObjectW(bitmap, sizeof(info), &info);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, bitmap);
    TransparentBlt(dc, area.left, area.top, info.bmWidth, info.bmHeight, source, 0, 0, info.bmWidth,
                   info.bmHeight, kKeyColour);
    SelectObject(source, old);
    DeleteDC(source);
}

}  // namespace tinsori
