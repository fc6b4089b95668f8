#include "ui/MprisRootAdaptor.h"

#include "ui/MediaControls.h"

namespace tinsori {

MprisRootAdaptor::MprisRootAdaptor(MediaControls* controls)
    : QDBusAbstractAdaptor(controls), controls_(controls) {}

void MprisRootAdaptor::Raise() {
    controls_->Raise();
}

void MprisRootAdaptor::Quit() {
    controls_->Quit();
}

}  // namespace tinsori
