#include "app/view/qt_page_timer.h"

#include <QTimer>

QtPageTimer::QtPageTimer(std::function<void(int)> onTick, QObject* parent)
    : QObject(parent), onTick_(std::move(onTick)) {}

void QtPageTimer::Start(int timerId, int intervalMs) {
    QTimer*& timer = timers_[timerId];
    if (timer == nullptr) {
        timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this, timerId] { onTick_(timerId); });
    }
    timer->start(intervalMs);
}

void QtPageTimer::Stop(int timerId) {
    auto it = timers_.find(timerId);
    if (it != timers_.end()) {
        it->second->stop();
    }
}

bool QtPageTimer::IsRunning(int timerId) const {
    auto it = timers_.find(timerId);
    return it != timers_.end() && it->second->isActive();
}

int QtPageTimer::Interval(int timerId) const {
    auto it = timers_.find(timerId);
    return it != timers_.end() ? it->second->interval() : 0;
}
