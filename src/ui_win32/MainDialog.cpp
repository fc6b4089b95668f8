#include "ui_win32/MainDialog.h"

#include "platform/win32/WideText.h"
#include "player/ContextHelp.h"
#include "player/ControlIds.h"
#include "player/DialogTemplate.h"
#include "player/MainWindowControls.h"
#include "player/NumberList.h"
#include "settings/StringTable.h"
#include "ui_win32/AboutBox.h"
#include "ui_win32/DialogTemplateBuffer.h"
#include "ui_win32/HelpPages.h"
#include "ui_win32/ResourceIds.h"
#include "ui_win32/WindowCommands.h"

// Construction, start-up, the message dispatch, shut-down, help and the About box of the main
// window.

namespace tinsori {

namespace {

constexpr DWORD kWindowStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// Its own taskbar button, and a sunken client edge.
constexpr DWORD kWindowExStyle = WS_EX_APPWINDOW | WS_EX_CLIENTEDGE;

HICON LoadApplicationIcon(int size) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                         MAKEINTRESOURCEW(kIconApplication), IMAGE_ICON, size, size,
                                         LR_DEFAULTCOLOR));
}

}  // namespace

MainDialog::MainDialog(Timebase& timebase, ProfileStore& store, OutputOpener opener,
                       std::optional<uint32_t> seed)
    : player_(std::make_unique<Player>(timebase, store, std::move(opener), *this, seed)) {}

MainDialog::~MainDialog() {
    if (window_) DestroyWindow(window_);
    if (icon_) DestroyIcon(icon_);
    if (smallIcon_) DestroyIcon(smallIcon_);
}

HWND MainDialog::Create(const std::string& commandLine) {
    commandLine_ = commandLine;
    const DialogTemplateBuffer buffer(MainDialogTemplate(), kWindowStyle, kWindowExStyle);
    CreateDialogIndirectParamW(GetModuleHandleW(nullptr), buffer.get(), nullptr, Proc,
                               reinterpret_cast<LPARAM>(this));
    return window_;
}

INT_PTR CALLBACK MainDialog::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<MainDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<MainDialog*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        self->window_ = window;
    }
    return self ? self->Handle(message, wParam, lParam) : FALSE;
}

INT_PTR MainDialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog();
            // The focus is in place already: the first control of the tab order.
            return FALSE;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return TRUE;
        case WM_HSCROLL:
        case WM_VSCROLL:
            OnScroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_MOUSEMOVE:
            OnPointer({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
            return FALSE;
        case WM_CONTEXTMENU:
            // A right click on the window's own face (the controls keep their own menus).
            if (reinterpret_cast<HWND>(wParam) != window_) return FALSE;
            ShowWindowMenu(
                {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
            return TRUE;
        case WM_SETCURSOR:
            return OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam));
        case WM_DRAWITEM:
            DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_TIMER:
            OnTimer(wParam);
            return TRUE;
        case WM_SYSCOMMAND:
            return OnSysCommand(wParam);
        case TrayIcon::kMessage:
            OnTrayMessage(lParam);
            return TRUE;
        case WM_HELP:
            ShowContextHelp();
            return TRUE;
        case WM_QUERYENDSESSION:
            ShutDownOnSessionEnd();
            SetWindowLongPtrW(window_, DWLP_MSGRESULT, TRUE);
            return TRUE;
        case WM_ENDSESSION:
            // The session ends: the shut-down ran at the question; only the window is left.
            if (wParam) DestroyWindow(window_);
            return TRUE;
        case WM_SHOWWINDOW:
            // Hidden in the tray, the window is spared the wind's moves and the Pause blink.
            player_->OnWindowSeen(wParam != 0);
            ShowPaused(player_->paused());
            return FALSE;
        case WM_DESTROY:
            ShutDownOnDestroy();
            PostQuitMessage(0);
            return TRUE;
        case WM_NCDESTROY:
            window_ = nullptr;
            return FALSE;
        default:
            if (message == taskbarCreated_ && taskbarCreated_ != 0) tray_->Restore();
            return FALSE;
    }
}

void MainDialog::OnInitDialog() {
    controls_ = TemplateControls(window_, MainDialogTemplate());
    controls_.FitPictures();
    controls_.FitLabels();
    handCursor_ = LoadCursorW(nullptr, IDC_HAND);
    AddAboutToSystemMenu();
    icon_ = LoadApplicationIcon(GetSystemMetrics(SM_CXICON));
    smallIcon_ = LoadApplicationIcon(GetSystemMetrics(SM_CXSMICON));
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
    SetUpControls();
    tray_ = std::make_unique<TrayIcon>(window_, smallIcon_);
    tray_->Add();
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    showing_ = true;
    player_->Start(commandLine_);
    showing_ = false;
    ShowPauseText();
    ShowStatus();
    SetFocus(item(kIdFavorites));
}

void MainDialog::AddAboutToSystemMenu() {
    const std::wstring about = Widen(LoadResString(kStringAbout));
    HMENU menu = GetSystemMenu(window_, FALSE);
    if (about.empty() || !menu) return;
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kAboutSystemCommand, about.c_str());
}

// What the template does not hold: the fixed lists and the bars' ranges.
void MainDialog::SetUpControls() {
    for (const auto& [id, list] :
         {std::pair{kIdChannel, kChannelList}, {kIdTranspose, kTransposeList}}) {
        for (const std::string& entry : list.Entries())
            SendMessageW(item(id), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(entry).c_str()));
    }
    for (const SliderControl& entry : kSliderControls) {
        const SliderRange range = RangeOf(entry.slider);
        SetScrollRange(item(entry.id), SB_CTL, range.minimum, range.maximum, FALSE);
    }
}

void MainDialog::Show(bool minimized) {
    ShowWindow(window_, minimized ? SW_SHOWMINNOACTIVE : SW_SHOWNORMAL);
    if (!minimized) return;
    player_->StartMinimized();
    SetTimer(window_, kHideAtStartTimer, Player::kStartTimerPeriodMs, nullptr);
}

void MainDialog::ShutDownOnDestroy() {
    if (destroyed_) return;
    destroyed_ = true;
    tray_->Remove();
    KillTimer(window_, kHideAtStartTimer);
    KillTimer(window_, kBlinkTimer);
    player_->ShutDownOnDestroy();
}

void MainDialog::ShutDownOnSessionEnd() {
    player_->ShutDownOnSessionEnd();
}

void MainDialog::ShowContextHelp() {
    HelpPages::Open(window_, HelpPageOf(player_->help().Keyword()));
}

void MainDialog::ShowHelpContents() {
    HelpPages::Open(window_, HelpPageOf(""));
}

void MainDialog::ShowAbout() {
    AboutBox::Show(window_, pictures_);
}

}  // namespace tinsori
