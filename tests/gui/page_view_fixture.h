#pragma once
// What the offscreen page view tests share: a control found by the id its widget is named
// after, a simulated panel linked as a COM port with the link open, screenshots saved where the
// user guide takes them from, and the main window at its narrowest with its tabs.
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QString>
#include <QWidget>

#include <memory>

#include "app/main_window.h"
#include "app/view/form_binder.h"
#include "app/view/main_window_view.h"
#include "app/view/page_view.h"
#include "pages/kit/app_flags.h"
#include "serial/serial_link.h"
#include "sim/pty_panel.h"
#include "tests/support/fake_user_prompts.h"
#include "tests/support/private_working_dir.h"
#include "tests/support/process_state.h"
#include "tests/support/pty_pair.h"
#include "widgets/ib_tab_ctrl.h"

namespace testing_support {

// The widget the view bound to control `id`, as a W.
template <typename W>
W* ControlOf(PageView& view, int id) {
    auto* widget = qobject_cast<W*>(view.Binder().Widget(id));
    EXPECT_NE(widget, nullptr) << id;
    return widget;
}

// Every control of the page's form has its widget in the page's window.
inline void ExpectEveryControlBound(PageView& view) {
    for (int id : view.PageBehaviour().Form().Ids()) {
        EXPECT_NE(view.Binder().Widget(id), nullptr) << id;
    }
}

// The panel at the far end of COM `port`, the link open and the connected flag set; false when
// the link did not open.
[[nodiscard]] inline bool LinkPanel(sim::PtyPanel& panel, unsigned port) {
    panel.linkAsComPort(port);
    if (OpenCommPort(port, 9600, 1) == 0) {
        return false;
    }
    Flags().connected = true;
    return true;
}

// The widget as laid out now, saved as `name` in the screenshot folder; false when not written.
inline bool SaveScreenshot(QWidget& widget, const QString& name) {
    QCoreApplication::processEvents();
    QDir().mkpath(QStringLiteral(VOLTSCOPE_SCREENSHOT_DIR));
    return widget.grab().save(QStringLiteral(VOLTSCOPE_SCREENSHOT_DIR "/") + name);
}

// Every label inside the widget is as wide as its text needs.
inline void ExpectLabelsFit(QWidget& widget) {
    for (QLabel* label : widget.findChildren<QLabel*>()) {
        EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
    }
}

// What the tab control and the window's margins take around a page.
inline int AroundPage(MainWindowView& view, QWidget& page) {
    return view.Tabs()->width() - page.width() + 2 * view.Tabs()->geometry().left();
}

// The page fits the tab of the window at its narrowest, which scrolls only vertically.
inline void ExpectFitsTheNarrowestTab(MainWindowView& view, QWidget& page) {
    const int around = AroundPage(view, page);
    EXPECT_LE(page.minimumSizeHint().width() + around, view.minimumSize().width())
        << "page " << page.minimumSizeHint().width() << " around " << around;
}

// A page's window over its behaviour, and a simulated panel to connect.
template <class P>
class PageViewTest : public ::testing::Test {
  protected:
    static constexpr unsigned kPort = 6;

    void SetUp() override { ResetProcessState(); }
    void TearDown() override { ResetProcessState(); }

    sim::PtyPanel& ConnectPanel() {
        panel_ = std::make_unique<sim::PtyPanel>();
        EXPECT_TRUE(LinkPanel(*panel_, kPort));
        return *panel_;
    }
    template <typename W>
    W* Control(int id) {
        return ControlOf<W>(view_, id);
    }

    PrivatePortsFolder ports_;
    PrivateWorkingDir cwd_;
    FakeUserPrompts prompts_;
    P page_;
    std::unique_ptr<sim::PtyPanel> panel_;
    PageView view_{page_, prompts_};
};

// The main window at its narrowest, shown, with the tabs a connect sets up.
struct NarrowestWindow {
    NarrowestWindow() {
        view.resize(view.minimumSize());
        view.show();
        window.SetUpTabs(false);
    }
    PageView* PageAt(int index) { return qobject_cast<PageView*>(view.Tabs()->widget(index)); }

    FakeUserPrompts prompts;
    CRegToolDlg window{prompts};
    MainWindowView view{window, prompts};
};

}  // namespace testing_support
