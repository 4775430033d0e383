#pragma once
// The receive thread's two reports to the user, "rxerrors" and "end rxthread", as boxes.
// RxThread cannot show a box itself (the window belongs to the interface thread), so each
// report is queued to `context`'s thread and shown once the request under way has finished;
// while one box is pending or open, further reports of the same kind are not queued again.
// Close the port before the relay goes away: the receive thread may be reporting to it.
#include <QObject>

class UserPrompts;

class LinkEventRelay : public QObject {
  public:
    LinkEventRelay(UserPrompts& prompts, QObject* parent = nullptr);
    ~LinkEventRelay() override;

  private:
    UserPrompts& prompts_;
};
