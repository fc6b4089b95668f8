#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/WideText.h"

namespace tinsori {

// A control's whole text (an edit box's, a combo box's edit field), as UTF-8.
inline std::string WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return Narrow(text);
}

}  // namespace tinsori
