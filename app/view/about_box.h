#pragma once
// "About VoltScope 5.0": version text and the three help actions.
#include <QDialog>

#include "pages/kit/user_prompts.h"

class AboutBox : public QDialog {
    Q_OBJECT
  public:
    AboutBox(UserPrompts& prompts, QWidget* parent = nullptr);
};
