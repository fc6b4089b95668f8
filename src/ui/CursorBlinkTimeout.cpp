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
    : QObject(parent), blink_(QGuiApplication::styleHints()->cursorFlashTime()) {
    timeout_.setSingleShot(true);
    timeout_.setInterval(blinkingMs);
    connect(&timeout_, &QTimer::timeout, this, [this] {
        blink_.OnTimeout();
        Apply();
    });
    QCoreApplication::instance()->installEventFilter(this);
    timeout_.start();
}

CursorBlinkTimeout::~CursorBlinkTimeout() {
    SetFlashTime(blink_.desktopPeriodMs());
}

void CursorBlinkTimeout::Apply() const {
    SetFlashTime(blink_.periodMs());
}

bool CursorBlinkTimeout::eventFilter(QObject* /*watched*/, QEvent* event) {
    if (IsUserAction(event->type())) {
        blink_.OnUserAction();
        Apply();
        timeout_.start();
    }
    return false;
}

}  // namespace tinsori
