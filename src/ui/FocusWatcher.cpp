#include "ui/FocusWatcher.h"

#include <QEvent>
#include <utility>

namespace tinsori {

void FocusWatcher::watch(QObject* widget, std::function<void()> onFocusIn) {
    watched_[widget] = std::move(onFocusIn);
    widget->installEventFilter(this);
}

bool FocusWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        auto found = watched_.find(watched);
        if (found != watched_.end()) found->second();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tinsori
