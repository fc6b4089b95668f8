#include "ui/CursorBlinkTimeout.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QStyleHints>

namespace tinsori {

namespace {

// A period of 0 keeps the cursor lit without a timer.
void SetFlashTime(int ms) {
    QStyleHints* hints = QGuiApplication::styleHints();
    if (hints->cursorFlashTime() != ms) hints->setCursorFlashTime(ms);
}

bool IsUserAction(QEvent::Type type) {
    switch (type) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::InputMethod:
        case QEvent::FocusIn:
            return true;
        default:
            return false;
    }
}

}  // namespace

CursorBlinkTimeout::CursorBlinkTimeout(QObject* parent, int blinkingMs)
    : QObject(parent), flashTime_(QGuiApplication::styleHints()->cursorFlashTime()) {
    timeout_.setSingleShot(true);
    timeout_.setInterval(blinkingMs);
    connect(&timeout_, &QTimer::timeout, this, [] { SetFlashTime(0); });
    QCoreApplication::instance()->installEventFilter(this);
    timeout_.start();
}

CursorBlinkTimeout::~CursorBlinkTimeout() {
    SetFlashTime(flashTime_);
}

bool CursorBlinkTimeout::eventFilter(QObject* /*watched*/, QEvent* event) {
    if (IsUserAction(event->type())) {
        SetFlashTime(flashTime_);
        timeout_.start();
    }
    return false;
}

}  // namespace tinsori
