#pragma once
// The desktop window of CRegToolDlg: menu bar, connection box, tab control, scrolling between
// 800 x 600 and 968 x 845.
#include <QMainWindow>
#include <QPointer>
#include <vector>

#include "app/main_window.h"
#include "app/window_scroll.h"
#include "pages/kit/user_prompts.h"

class CIbTabCtrl;
class CompareWindow;
class ColourEdit;
class FormBinder;
class FrameLog;
class FrameLogWindow;
class QLabel;
class QPushButton;
class QScrollArea;
class PageView;

class MainWindowView : public QMainWindow {
    Q_OBJECT
  public:
    MainWindowView(CRegToolDlg& behaviour, UserPrompts& prompts, QWidget* parent = nullptr);
    ~MainWindowView() override;

    CIbTabCtrl* Tabs() const { return tabs_; }
    ColourEdit* Indicator() const { return indicator_; }
    QPushButton* ConnectButton() const { return connect_; }
    QLabel* StatusLine() const { return status_; }
    QWidget* Control(int id) const;
    void ShowAbout();
    // The frames Help -> "Frame Log" lists; without one the menu item opens nothing.
    void AttachFrameLog(FrameLog& log) { frameLog_ = &log; }
    // Opens the Frame Log window, or brings it to the front; null when no log is attached.
    FrameLogWindow* ShowFrameLog();
    // The comparison File -> "Compare With Config File…" made, in its window (opened, or
    // brought to the front with the new rows).
    CompareWindow* ShowComparison(const SettingsComparison& comparison);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    // Enter presses Connect/Disconnect, unless the focus is on a page, where it would throw
    // away what is being typed there.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void BuildMenu();
    void RebuildTabs();

    CRegToolDlg& behaviour_;
    UserPrompts& prompts_;
    QScrollArea* scroll_ = nullptr;
    QWidget* contents_ = nullptr;
    CIbTabCtrl* tabs_ = nullptr;
    ColourEdit* indicator_ = nullptr;
    QPushButton* connect_ = nullptr;
    QLabel* status_ = nullptr;
    FormBinder* binder_ = nullptr;
    FrameLog* frameLog_ = nullptr;
    QPointer<FrameLogWindow> frameLogWindow_;
    QPointer<CompareWindow> compareWindow_;
    int initialHeight_ = 0;
};
