#pragma once

#include <functional>
#include <vector>

#include "player/TrayMenu.h"

class QMenu;

namespace tinsori {

// Turns the player's menu entries into a Qt menu: texts with their mnemonics, check marks,
// separators and submenus. Choosing an entry calls `onCommand` with its id.
class PopupMenuBuilder {
public:
    explicit PopupMenuBuilder(std::function<void(int)> onCommand)
        : onCommand_(std::move(onCommand)) {}

    // Empties `menu` and fills it with `entries`.
    void Fill(QMenu& menu, const std::vector<MenuEntry>& entries) const;

private:
    std::function<void(int)> onCommand_;
};

}  // namespace tinsori
