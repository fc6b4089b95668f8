#pragma once

#include <QObject>
#include <functional>
#include <map>

namespace tinsori {

// Calls a function when a watched widget receives the focus.
class FocusWatcher : public QObject {
public:
    explicit FocusWatcher(QObject* parent) : QObject(parent) {}

    void watch(QObject* widget, std::function<void()> onFocusIn);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::map<QObject*, std::function<void()>> watched_;
};

}  // namespace tinsori
