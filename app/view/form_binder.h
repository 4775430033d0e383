#pragma once
// Copies a form model to the widgets that carry its control ids, and forwards the user's
// selections, edits and clicks back as control ids. A widget carries an id either through an
// explicit name list or by an object name "id<number>" or "id<number>_<anything>", which is how
// the pages' forms name theirs. A check box is ticked exactly when its control's `selected` is
// 1; a click stores 1 or 0 there and goes to the behaviour as a command.
#include <QObject>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "pages/kit/form_model.h"

class QWidget;

struct ControlName {
    int id;
    const char* resourceName;
};

// What the binder tells its owner. Any of them may be empty.
struct FormHandlers {
    std::function<void(int)> onSelection;  // after the form took the user's choice
    std::function<void(int)> onCommand;    // a button click
    std::function<void(int)> onEdit;       // after the form took the user's typing
    std::function<std::string(int)> toolTip;
};

class FormBinder : public QObject {
    Q_OBJECT
  public:
    FormBinder(FormModel& form, QWidget* root, std::vector<ControlName> names,
               FormHandlers handlers);
    FormBinder(FormModel& form, QWidget* root, std::vector<ControlName> names,
               std::function<void(int)> onSelection, std::function<void(int)> onCommand);
    ~FormBinder() override;

    // Form -> widgets.
    void Refresh();
    QWidget* Widget(int id) const;

    // The id an object name "id<number>[_...]" carries, -1 for any other name.
    static int IdOfObjectName(const QString& name);

  private:
    void Bind(int id, QWidget* widget);
    void Connect(int id, QWidget* widget);

    FormModel& form_;
    std::vector<std::pair<int, QWidget*>> widgets_;
    FormHandlers handlers_;
    bool refreshing_ = false;
};
