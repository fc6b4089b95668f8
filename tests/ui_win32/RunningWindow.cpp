#include "ui_win32/RunningWindow.h"

#include <cstdio>

namespace tinsori {

namespace {

// The build names the program by its path here; wine reaches that through drive Z:.
std::wstring ProgramPath() {
    std::wstring path;
    for (const char* c = TINSORI_EXE; *c; ++c) path += *c == '/' ? L'\\' : wchar_t(*c);
    return path[0] == L'\\' ? L"Z:" + path : path;
}

std::wstring Key(const wchar_t* section) {
    return std::wstring(L"Software\\") + RunningWindow::kProfile + L"\\" + section;
}

struct Search {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindOwn(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t title[64] = {};
    GetWindowTextW(window, title, 64);
    if (owner != search->process || std::wstring(title) != L"Tinsori (Quillfen)") return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

RunningWindow::RunningWindow() {
    RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(L"Software\\") + kProfile).c_str());
    wchar_t folder[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, folder);
    log_ = std::wstring(folder) + L"tinsori-window-" + std::to_wstring(GetCurrentProcessId()) +
           L".log";
    DeleteFileW(log_.c_str());
}

RunningWindow::~RunningWindow() {
    if (process_.hProcess) {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
    if (!GetEnvironmentVariableW(L"TINSORI_KEEP_LOG", nullptr, 0)) DeleteFileW(log_.c_str());
    RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(L"Software\\") + kProfile).c_str());
}

bool RunningWindow::Start() {
    std::wstring line = L"\"" + ProgramPath() + L"\" --output none --profile " + kProfile +
                        L" --midi-log \"" + log_ + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_))
        return false;
    // A first start makes the profile's presets; wine is slow to start a program.
    for (int tries = 0; tries < 300 && !window_; ++tries) {
        Search search{process_.dwProcessId, nullptr};
        EnumWindows(FindOwn, reinterpret_cast<LPARAM>(&search));
        window_ = search.found;
        if (!window_) Sleep(100);
    }
    // The start-up runs before the window shows; let the first wind ticks pass too.
    if (window_) Sleep(500);
    return window_ != nullptr;
}

std::wstring RunningWindow::Text(int id) const {
    wchar_t text[256] = {};
    SendMessageW(item(id), WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return text;
}

LRESULT RunningWindow::Command(int id, int code) {
    return SendMessageW(window_, WM_COMMAND, MAKEWPARAM(id, code),
                        reinterpret_cast<LPARAM>(item(id)));
}

bool RunningWindow::WaitForExit() {
    return WaitForSingleObject(process_.hProcess, 20000) == WAIT_OBJECT_0;
}

std::vector<RunningWindow::Message> RunningWindow::Log() const {
    std::vector<Message> messages;
    FILE* file = _wfopen(log_.c_str(), L"r");
    if (!file) return messages;
    Message m{};
    while (std::fscanf(file, "%ld %x %d %d", &m.time, &m.status, &m.data1, &m.data2) == 4)
        messages.push_back(m);
    std::fclose(file);
    return messages;
}

void RunningWindow::WriteValue(const wchar_t* section, const wchar_t* name,
                               const std::wstring& text) {
    RegSetKeyValueW(HKEY_CURRENT_USER, Key(section).c_str(), name, REG_SZ, text.c_str(),
                    static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void RunningWindow::WriteNumber(const wchar_t* section, const wchar_t* name, DWORD value) {
    RegSetKeyValueW(HKEY_CURRENT_USER, Key(section).c_str(), name, REG_DWORD, &value,
                    sizeof(value));
}

DWORD RunningWindow::ReadNumber(const wchar_t* section, const wchar_t* name) {
    DWORD value = 0;
    DWORD size = sizeof(value);
    RegGetValueW(HKEY_CURRENT_USER, Key(section).c_str(), name, RRF_RT_REG_DWORD, nullptr, &value,
                 &size);
    return value;
}

}  // namespace tinsori
