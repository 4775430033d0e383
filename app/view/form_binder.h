#pragma once
// Copies a form model to the widgets that carry its control ids (found by resource name), and
// forwards the user's selections and clicks back as control ids.
#include <QObject>
#include <functional>
#include <utility>
#include <vector>

#include "app/form_model.h"

class QWidget;

struct ControlName {
    int id;
    const char* resourceName;
};

class FormBinder : public QObject {
    Q_OBJECT
  public:
    // `onSelection` runs after the form took the user's choice; `onCommand` on a button click.
    FormBinder(FormModel& form, QWidget* root, std::vector<ControlName> names,
               std::function<void(int)> onSelection, std::function<void(int)> onCommand);
    ~FormBinder() override;

    // Form -> widgets.
    void Refresh();
    QWidget* Widget(int id) const;

  private:
    void Connect(int id, QWidget* widget);

    FormModel& form_;
    std::vector<std::pair<int, QWidget*>> widgets_;
    std::function<void(int)> onSelection_;
    std::function<void(int)> onCommand_;
    bool refreshing_ = false;
};
