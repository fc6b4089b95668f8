#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QMenu;
class QSystemTrayIcon;

namespace tinsori {

// The program's icon in the desktop's notification area; its tip reads the program's line and,
// under it, what the player is doing. A left click asks for the window; the context menu is the
// caller's, refilled each time it opens.
class TrayIcon : public QObject {
public:
    explicit TrayIcon(QObject* parent = nullptr);
    ~TrayIcon() override;

    // Adds the icon when the desktop has a notification area to take it; true once added.
    bool Add(bool trayAvailable);
    // Takes the icon away again; nothing when it was never added.
    void Remove();
    bool added() const { return icon_ != nullptr; }

    // The menu the icon's context request opens, and what runs just before it shows; may be
    // given before the icon is added.
    void SetMenu(QMenu* menu, std::function<void()> beforeShowing);
    // The tip's second line; may be given before the icon is added.
    void ShowStatus(const QString& status);
    QString toolTip() const;
    // The icon shows a pause mark while paused.
    void ShowPaused(bool paused);
    bool showsPaused() const { return paused_; }
    std::function<void()> onLeftClick;

private:
    std::unique_ptr<QSystemTrayIcon> icon_;
    QMenu* menu_ = nullptr;
    QString status_;
    bool paused_ = false;
};

}  // namespace tinsori
