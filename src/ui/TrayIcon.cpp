#include "ui/TrayIcon.h"

#include <QMenu>
#include <QSystemTrayIcon>

#include "player/TrayMenu.h"
#include "ui/Pictures.h"

namespace tinsori {

TrayIcon::TrayIcon(QObject* parent) : QObject(parent) {}

TrayIcon::~TrayIcon() = default;

bool TrayIcon::Add(bool trayAvailable) {
    if (added() || !trayAvailable) return added();
    icon_ =
        std::make_unique<QSystemTrayIcon>(paused_ ? PausedApplicationIcon() : ApplicationIcon());
    icon_->setToolTip(toolTip());
    connect(icon_.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                // Double and middle clicks mean nothing here.
                if (reason == QSystemTrayIcon::Trigger && onLeftClick) onLeftClick();
            });
    if (menu_) icon_->setContextMenu(menu_);
    icon_->show();
    return true;
}

void TrayIcon::Remove() {
    if (!icon_) return;
    icon_->hide();
    icon_.reset();
}

QString TrayIcon::toolTip() const {
    return QString::fromStdString(TrayTip(status_.toStdString()));
}

// Each new tip is sent to a D-Bus tray host: only a change is.
void TrayIcon::ShowStatus(const QString& status) {
    if (status == status_) return;
    status_ = status;
    if (icon_) icon_->setToolTip(toolTip());
}

void TrayIcon::ShowPaused(bool paused) {
    if (paused == paused_) return;
    paused_ = paused;
    if (icon_) icon_->setIcon(paused ? PausedApplicationIcon() : ApplicationIcon());
}

void TrayIcon::SetMenu(QMenu* menu, std::function<void()> beforeShowing) {
    menu_ = menu;
    connect(menu, &QMenu::aboutToShow, this, std::move(beforeShowing));
    // The platform places a tray icon's own menu where its desktop puts such menus.
    if (icon_) icon_->setContextMenu(menu);
}

}  // namespace tinsori
