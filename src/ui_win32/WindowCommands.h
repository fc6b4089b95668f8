#pragma once

#include <basetsd.h>

namespace tinsori {

// The command F1 sends (the application's help command), from the main window or the About box.
inline constexpr int kIdHelpCommand = 57670;
// The system menu's "&About Tinsori..." entry.
inline constexpr int kAboutSystemCommand = 16;

// The main window's timers.
inline constexpr UINT_PTR kWindTimer = 777;
inline constexpr UINT_PTR kBlinkTimer = 333;
inline constexpr UINT_PTR kHideAtStartTimer = 100;

}  // namespace tinsori
