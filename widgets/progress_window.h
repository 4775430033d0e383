#pragma once
// The small top-most window a long download shows: text, smooth bar, a Cancel button, the
// percentage in its caption and a position remembered in the application profile. While it
// shows, the user's clicks and keys reach only this window, and Esc anywhere presses Cancel.
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

class ProgressWindow : public QWidget {
    Q_OBJECT
  public:
    explicit ProgressWindow(QWidget* owner = nullptr);
    ~ProgressWindow() override;

    // Builds the children, places and shows the window without taking the focus.
    bool Create(const QString& title = QStringLiteral("Progress"), bool smooth = true);
    void SetRange(int lower, int upper, int step);
    // Returns the previous position.
    int SetPos(int position);
    int StepIt();
    void SetText(const QString& text);
    bool Cancelled() const { return cancelled_; }
    // Saves the position (when remembered) and closes the window.
    void Destroy();

    void SetRememberPosition(bool remember) { rememberPosition_ = remember; }
    int Position() const { return position_; }
    int Lower() const { return lower_; }
    int Upper() const { return upper_; }
    int Step() const { return step_; }
    QString Text() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void SavePosition();
    void Cancel();
    void ShowWindow();

    QString title_ = QStringLiteral("Progress");
    QLabel* text_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QPushButton* cancel_ = nullptr;
    int lower_ = 0;
    int upper_ = 100;
    int step_ = 1;
    int position_ = 0;
    int lastPercent_ = 0;
    bool cancelled_ = false;
    bool rememberPosition_ = true;
    bool created_ = false;
};
