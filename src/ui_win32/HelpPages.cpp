#include "ui_win32/HelpPages.h"

#include <shellapi.h>

#include <cwctype>
#include <filesystem>
#include <fstream>

#include "platform/win32/WideText.h"

namespace tinsori {

namespace {

struct PageFolder {
    std::wstring path;
    bool written = true;
};

bool WritePage(const std::wstring& folder, LPCWSTR name) {
    HRSRC found = FindResourceW(nullptr, name, MAKEINTRESOURCEW(10));  // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return false;
    std::wstring file(name);
    for (wchar_t& c : file) c = static_cast<wchar_t>(std::towlower(c));
    std::ofstream out(std::filesystem::path(folder + L"\\" + file),
                      std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(bytes), SizeofResource(nullptr, found));
    return static_cast<bool>(out.flush());
}

BOOL CALLBACK OnePage(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR context) {
    auto* folder = reinterpret_cast<PageFolder*>(context);
    // Pages have names; numbered data is not a page.
    if (!IS_INTRESOURCE(name)) folder->written = WritePage(folder->path, name) && folder->written;
    return TRUE;
}

}  // namespace

std::wstring HelpPages::WriteAll() {
    wchar_t temp[MAX_PATH + 1] = {};
    if (GetTempPathW(MAX_PATH, temp) == 0) return {};
    PageFolder folder{std::wstring(temp) + L"Tinsori Help"};
    CreateDirectoryW(folder.path.c_str(), nullptr);
    EnumResourceNamesW(nullptr, MAKEINTRESOURCEW(10), OnePage, reinterpret_cast<LONG_PTR>(&folder));
    return folder.written ? folder.path : std::wstring();
}

bool HelpPages::Open(HWND owner, const std::string& page) {
    const std::wstring folder = WriteAll();
    if (folder.empty()) return false;
    const std::wstring path = folder + L"\\" + Widen(page);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(owner, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    // Success is any value above 32.
    return result > 32;
}

}  // namespace tinsori
