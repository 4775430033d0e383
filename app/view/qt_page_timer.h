#pragma once
// A page's timers as window timers: each id a QTimer of its own, whose ticks go to `onTick`.
#include <QObject>
#include <functional>
#include <map>

#include "pages/kit/page_timer.h"

class QTimer;

class QtPageTimer : public QObject, public PageTimer {
    Q_OBJECT
  public:
    QtPageTimer(std::function<void(int)> onTick, QObject* parent);

    void Start(int timerId, int intervalMs) override;
    void Stop(int timerId) override;
    bool IsRunning(int timerId) const;
    int Interval(int timerId) const;

  private:
    std::function<void(int)> onTick_;
    std::map<int, QTimer*> timers_;
};
