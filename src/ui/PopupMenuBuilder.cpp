#include "ui/PopupMenuBuilder.h"

#include <QAction>
#include <QMenu>

namespace tinsori {

void PopupMenuBuilder::Fill(QMenu& menu, const std::vector<MenuEntry>& entries) const {
    menu.clear();
    for (const MenuEntry& entry : entries) {
        const QString text = QString::fromStdString(entry.text);
        if (entry.separator) {
            menu.addSeparator();
        } else if (!entry.submenu.empty()) {
            // Owned by the menu, so the next clear() deletes it with its actions.
            auto* submenu = new QMenu(text, &menu);
            Fill(*submenu, entry.submenu);
            menu.addMenu(submenu);
        } else {
            QAction* action = menu.addAction(text);
            action->setCheckable(entry.checked);
            action->setChecked(entry.checked);
            const int id = entry.id;
            QObject::connect(action, &QAction::triggered, &menu,
                             [onCommand = onCommand_, id] { onCommand(id); });
        }
    }
}

}  // namespace tinsori
