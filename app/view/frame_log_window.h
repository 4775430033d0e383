#pragma once
// "Frame Log": a window beside the main one listing the last frames on the line as the frame
// log holds them, newest at the foot, with Clear and Save. Frames are recorded on the
// user-interface thread, so each new line is appended as it comes.
#include <QWidget>

#include "app/frame_log.h"
#include "pages/kit/user_prompts.h"

class QPlainTextEdit;
class QPushButton;

class FrameLogWindow : public QWidget {
    Q_OBJECT
  public:
    FrameLogWindow(FrameLog& log, UserPrompts& prompts, QWidget* parent = nullptr);
    ~FrameLogWindow() override;

    QPlainTextEdit* Text() const { return text_; }
    QPushButton* ClearButton() const { return clear_; }
    QPushButton* SaveButton() const { return save_; }

  private:
    void KeepAtTheLeft();
    FrameLog& log_;
    QPlainTextEdit* text_ = nullptr;
    QPushButton* clear_ = nullptr;
    QPushButton* save_ = nullptr;
};
