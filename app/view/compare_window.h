#pragma once
// "Compare With Config File": a window beside the main one listing the settings that differ
// between what the pages hold and a configuration file, one row each, with "Save…" (the rows as
// CSV) and Close. Non-modal; it shows what it is given and reads nothing itself.
#include <QWidget>

#include "app/settings_compare.h"
#include "pages/kit/user_prompts.h"

class QLabel;
class QPushButton;
class QTableWidget;

class CompareWindow : public QWidget {
    Q_OBJECT
  public:
    CompareWindow(UserPrompts& prompts, QWidget* parent);
    // Replaces what the window shows.
    void Show(const SettingsComparison& comparison);

    QTableWidget* Table() const { return table_; }
    QLabel* Summary() const { return summary_; }
    QPushButton* SaveButton() const { return save_; }
    QPushButton* CloseButton() const { return close_; }

  private:
    SettingsComparison comparison_;
    QTableWidget* table_ = nullptr;
    QLabel* summary_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* close_ = nullptr;
};
