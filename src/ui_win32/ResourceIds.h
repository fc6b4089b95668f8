#pragma once

namespace tinsori {

// The application icon: the window's, the tray's and the minimized picture.
inline constexpr int kIconApplication = 128;

}  // namespace tinsori
