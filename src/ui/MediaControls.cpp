#include "ui/MediaControls.h"

#include <algorithm>
#include <cmath>

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QStringList>
#include <utility>

#include "ui/MprisPlayerAdaptor.h"
#include "ui/MprisRootAdaptor.h"

namespace tinsori {

namespace {

// Each title gets a track id of its own, so that a desktop showing the "track" sees a change
// when the favorite does; hex keeps any name inside the characters an object path allows.
QDBusObjectPath TrackId(const QString& title) {
    return QDBusObjectPath(QStringLiteral("/org/quillfen/Tinsori/Track/T") +
                           QString::fromLatin1(title.toUtf8().toHex()));
}

}  // namespace

MediaControls::MediaControls(MediaControlsTarget& target, QDBusConnection bus, QObject* parent)
    : QObject(parent),
      target_(target),
      bus_(std::move(bus)),
      announcedPaused_(target.IsPaused()),
      announcedTitle_(QString::fromStdString(target.Title())),
      announcedVolume_(target.Volume()) {
    new MprisRootAdaptor(this);
    new MprisPlayerAdaptor(this);
    if (bus_.isConnected()) Register();
}

MediaControls::~MediaControls() {
    if (!service_.isEmpty()) bus_.unregisterService(service_);
    if (objectRegistered_) bus_.unregisterObject(kObjectPath);
}

void MediaControls::Register() {
    objectRegistered_ = bus_.registerObject(kObjectPath, this, QDBusConnection::ExportAdaptors);
    if (!objectRegistered_) return;
    const QString instance = QStringLiteral("%1.instance%2")
                                 .arg(QLatin1String(kServiceName))
                                 .arg(QCoreApplication::applicationPid());
    for (const QString& name : {QString::fromLatin1(kServiceName), instance}) {
        if (bus_.registerService(name)) {
            service_ = name;
            return;
        }
    }
}

QString MediaControls::playbackStatus() const {
    return target_.IsPaused() ? QStringLiteral("Paused") : QStringLiteral("Playing");
}

QVariantMap MediaControls::metadata() const {
    const QString title = QString::fromStdString(target_.Title());
    return {{QStringLiteral("mpris:trackid"), QVariant::fromValue(TrackId(title))},
            {QStringLiteral("xesam:title"), title}};
}

void MediaControls::StateChanged() {
    QVariantMap changed;
    const bool paused = target_.IsPaused();
    if (paused != announcedPaused_) {
        announcedPaused_ = paused;
        changed.insert(QStringLiteral("PlaybackStatus"), playbackStatus());
    }
    const QString title = QString::fromStdString(target_.Title());
    if (title != announcedTitle_) {
        announcedTitle_ = title;
        changed.insert(QStringLiteral("Metadata"), metadata());
    }
    const double volume = target_.Volume();
    if (volume != announcedVolume_) {
        announcedVolume_ = volume;
        changed.insert(QStringLiteral("Volume"), volume);
    }
    if (!changed.isEmpty()) AnnounceChanged(changed);
}

void MediaControls::SetVolume(double volume) {
    // Players take a volume above 1 as amplification and below 0 as 0: there is no louder here.
    target_.SetVolume(std::isnan(volume) ? target_.Volume() : std::clamp(volume, 0.0, 1.0));
    StateChanged();
}

void MediaControls::AnnounceChanged(const QVariantMap& changed) {
    if (service_.isEmpty()) return;
    QDBusMessage signal =
        QDBusMessage::createSignal(kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("PropertiesChanged"));
    signal << QString::fromLatin1(kPlayerInterface) << changed << QStringList();
    bus_.send(signal);
}

void MediaControls::Play() {
    Want(false);
}

void MediaControls::Pause() {
    Want(true);
}

void MediaControls::PlayPause() {
    Want(!pendingPaused_.value_or(target_.IsPaused()));
}

// Requests are settled once the calls queued with them have been answered, so that a burst of
// them (a held media key, a script) costs one Pause or Continue, the last one asked for.
void MediaControls::Want(bool paused) {
    const bool scheduled = pendingPaused_.has_value();
    pendingPaused_ = paused;
    if (!scheduled)
        QMetaObject::invokeMethod(this, &MediaControls::SettlePlayback, Qt::QueuedConnection);
}

void MediaControls::SettlePlayback() {
    if (!pendingPaused_) return;
    const bool paused = *pendingPaused_;
    pendingPaused_.reset();
    if (paused && !target_.IsPaused()) target_.Pause();
    if (!paused && target_.IsPaused()) target_.Continue();
    StateChanged();
}

void MediaControls::Next() {
    target_.StepFavorite(1);
    StateChanged();
}

void MediaControls::Previous() {
    target_.StepFavorite(-1);
    StateChanged();
}

void MediaControls::Raise() {
    target_.Raise();
}

void MediaControls::Quit() {
    // Later, so that the caller has its answer before the shut-down's closing run and waits.
    QMetaObject::invokeMethod(
        this, [this] { target_.Quit(); }, Qt::QueuedConnection);
}

}  // namespace tinsori
