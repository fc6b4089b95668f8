#include "ui_win32/PopupMenu.h"

#include "platform/win32/WideText.h"

namespace tinsori {

PopupMenu::PopupMenu(const std::vector<MenuEntry>& entries) : menu_(CreatePopupMenu()) {
    Append(menu_, entries);
}

PopupMenu::~PopupMenu() {
    // Takes the submenus with it.
    DestroyMenu(menu_);
}

void PopupMenu::Append(HMENU menu, const std::vector<MenuEntry>& entries) {
    for (const MenuEntry& entry : entries) {
        const std::wstring text = Widen(entry.text);
        if (entry.separator) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        } else if (!entry.submenu.empty()) {
            HMENU sub = CreatePopupMenu();
            Append(sub, entry.submenu);
            AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), text.c_str());
        } else {
            AppendMenuW(menu, MF_STRING | (entry.checked ? MF_CHECKED : 0),
                        static_cast<UINT_PTR>(entry.id), text.c_str());
        }
    }
}

}  // namespace tinsori
