#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantMap>
#include <optional>

#include "ui/MediaControlsTarget.h"

namespace tinsori {

// The program's media controls on the D-Bus session bus (MPRIS 2), so that media keys and the
// desktop's player controls pause, continue and step through favorites. Without a bus it does
// nothing, and the program plays on.
class MediaControls : public QObject {
    Q_OBJECT

public:
    static constexpr char kServiceName[] = "org.mpris.MediaPlayer2.tinsori";
    static constexpr char kObjectPath[] = "/org/mpris/MediaPlayer2";
    static constexpr char kPlayerInterface[] = "org.mpris.MediaPlayer2.Player";

    // The target must answer IsPaused and Title from now on. A second running copy takes the
    // name with ".instance<pid>" added.
    explicit MediaControls(MediaControlsTarget& target,
                           QDBusConnection bus = QDBusConnection::sessionBus(),
                           QObject* parent = nullptr);
    ~MediaControls() override;

    // The name held on the bus; empty without a bus or when no name could be had.
    const QString& serviceName() const { return service_; }

    // Pause, Continue or the settings changed: announces the playback status and the title that
    // differ from what was last announced.
    void StateChanged();

    QString playbackStatus() const;
    QVariantMap metadata() const;
    double volume() const { return target_.Volume(); }
    void SetVolume(double volume);

    void Play();
    void Pause();
    void PlayPause();
    void Next();
    void Previous();
    void Raise();
    void Quit();

    // Carries out the last of the Play, Pause and PlayPause requests made since it last ran.
    void SettlePlayback();

private:
    void Register();
    void Want(bool paused);
    void AnnounceChanged(const QVariantMap& changed);

    MediaControlsTarget& target_;
    QDBusConnection bus_;
    QString service_;
    bool objectRegistered_ = false;
    bool announcedPaused_ = false;
    QString announcedTitle_;
    double announcedVolume_;
    std::optional<bool> pendingPaused_;
};

}  // namespace tinsori
