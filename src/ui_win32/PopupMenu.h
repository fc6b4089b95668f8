#pragma once

#include <windows.h>

#include <vector>

#include "player/TrayMenu.h"

namespace tinsori {

// A popup menu made from the player's menu entries, destroyed with this object.
class PopupMenu {
public:
    explicit PopupMenu(const std::vector<MenuEntry>& entries);
    ~PopupMenu();
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;

    HMENU handle() const { return menu_; }

private:
    static void Append(HMENU menu, const std::vector<MenuEntry>& entries);

    HMENU menu_;
};

}  // namespace tinsori
