#pragma once

#include <string>

namespace tinsori {

// The UTF-8 text used in code as the UTF-16 that Windows' wide functions take, and back.
std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);
// The text of the calling thread's last Windows error, as one phrase without a final stop.
std::string LastErrorText();

}  // namespace tinsori
