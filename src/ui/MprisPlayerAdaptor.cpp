#include "ui/MprisPlayerAdaptor.h"

#include "ui/MediaControls.h"

namespace tinsori {

MprisPlayerAdaptor::MprisPlayerAdaptor(MediaControls* controls)
    : QDBusAbstractAdaptor(controls), controls_(controls) {}

QString MprisPlayerAdaptor::playbackStatus() const {
    return controls_->playbackStatus();
}

QVariantMap MprisPlayerAdaptor::metadata() const {
    return controls_->metadata();
}

double MprisPlayerAdaptor::volume() const {
    return controls_->volume();
}

void MprisPlayerAdaptor::setVolume(double volume) {
    controls_->SetVolume(volume);
}

void MprisPlayerAdaptor::Next() {
    controls_->Next();
}

void MprisPlayerAdaptor::Previous() {
    controls_->Previous();
}

void MprisPlayerAdaptor::Pause() {
    controls_->Pause();
}

void MprisPlayerAdaptor::PlayPause() {
    controls_->PlayPause();
}

// Endless music has nothing to rewind to: Stop pauses, as Pause does.
void MprisPlayerAdaptor::Stop() {
    controls_->Pause();
}

void MprisPlayerAdaptor::Play() {
    controls_->Play();
}

// Endless music has no position to move to, and nothing to open.
void MprisPlayerAdaptor::Seek(qlonglong) {}

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath&, qlonglong) {}

void MprisPlayerAdaptor::OpenUri(const QString&) {}

}  // namespace tinsori
