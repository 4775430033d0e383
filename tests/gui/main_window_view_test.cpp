// The main window's view offscreen: caption and menus, a Connect click running the behaviour
// against the simulated panel, the indicator's colour, and a screenshot of the connected window.
#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <memory>

#include "app/connection_settings.h"
#include "app/main_window.h"
#include "app/view/main_window_view.h"
#include "pages/kit/app_flags.h"
#include "protocol/requests.h"
#include "protocol/value_store.h"
#include "resources/ids/main_window.h"
#include "serial/serial_link.h"
#include "sim/pty_panel.h"
#include "tests/support/fake_user_prompts.h"
#include "tests/support/private_working_dir.h"
#include "tests/support/process_state.h"
#include "tests/support/pty_pair.h"
#include "widgets/colour_edit.h"
#include "widgets/ib_tab_ctrl.h"

namespace {

using namespace testing_support;

class MainWindowViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing_support::ResetProcessState();
        SaveConnectionSettings({5, 4, 1, 0});  // COM 05 preselected
        window_.OnInitDialog();
    }
    void TearDown() override {
        CloseCommPort();
        ResetFlags();
    }

    std::vector<QString> TabTexts() const {
        std::vector<QString> texts;
        for (int i = 0; i < view_.Tabs()->count(); ++i) {
            texts.push_back(view_.Tabs()->tabText(i));
        }
        return texts;
    }

    PrivatePortsFolder ports_;
    PrivateWorkingDir cwd_;
    FakeUserPrompts prompts_;
    CRegToolDlg window_{prompts_};
    MainWindowView view_{window_, prompts_};
};

TEST_F(MainWindowViewTest, OpensWithCaptionMenusAndRestoredSettings) {
    view_.show();
    EXPECT_EQ(view_.windowTitle(), QStringLiteral("VOLTSCOPE 5.03"));
    EXPECT_EQ(view_.minimumSize(), QSize(800, 600));
    EXPECT_EQ(view_.maximumSize(), QSize(968, 845));
    QStringList menus;
    for (QAction* a : view_.menuBar()->actions()) {
        menus << a->text();
        for (QAction* item : a->menu()->actions()) {
            menus << item->text();
        }
    }
    EXPECT_EQ(menus, (QStringList{"&File", "&Save Config File", "&Open Config file",
                                  "Cl&ose Config File /Tabs ", "&Create Report",
                                  "Co&mpare With Config File…", "E&xit", "&Help", "Frame Log",
                                  "About VoltScope 5.0"}));
    auto* port = qobject_cast<QComboBox*>(view_.Control(ids::window::kCommPort));
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(port->count(), 255);
    EXPECT_EQ(port->currentText(), QStringLiteral("05"));
    EXPECT_FALSE(view_.Control(ids::window::kCommAddress)->isEnabled());
    EXPECT_FALSE(view_.Control(ids::window::kHiddenExit)->isVisible());
    EXPECT_EQ(view_.ConnectButton()->text(), QStringLiteral("Connect"));
    EXPECT_EQ(view_.Indicator()->BackgroundColour(), QColor(211, 211, 211));
    EXPECT_EQ(view_.Tabs()->count(), 0);
}

TEST_F(MainWindowViewTest, ChoosingAnEntryReachesTheBehaviour) {
    view_.show();
    auto* mode = qobject_cast<QComboBox*>(view_.Control(ids::window::kAddressMode));
    ASSERT_NE(mode, nullptr);
    mode->setCurrentIndex(1);
    emit mode->activated(1);  // what a user's pick sends
    EXPECT_EQ(Protocol().addressMode, 1);
    EXPECT_TRUE(view_.Control(ids::window::kCommAddress)->isEnabled());
}

TEST_F(MainWindowViewTest, ConnectClickRunsTheBehaviourAndDisconnectRemovesTheTabs) {
    sim::PtyPanel panel;
    panel.linkAsComPort(5);
    view_.show();
    QTest::mouseClick(view_.ConnectButton(), Qt::LeftButton);

    EXPECT_TRUE(prompts_.Boxes().empty());
    EXPECT_TRUE(Flags().connected);
    EXPECT_EQ(view_.ConnectButton()->text(), QStringLiteral("Disconnect"));
    EXPECT_EQ(view_.Indicator()->BackgroundColour(), QColor(0, 255, 0));
    EXPECT_EQ(TabTexts(),
              (std::vector<QString>{"Configuration", "Regulator and Comm", "Metering and Counters",
                                    "Logs and Quick Key", "Diag, Pwds and Alerts", "Maintenance",
                                    "Pseudo Manual"}));
    EXPECT_EQ(view_.Tabs()->currentIndex(), 0);
    EXPECT_NE(view_.Tabs()->widget(0)->findChild<QWidget*>(QStringLiteral("id1024_TapChngr")),
              nullptr);
    EXPECT_NE(view_.Tabs()->widget(1)->findChild<QWidget*>(QStringLiteral("id1130_FwdVolts")),
              nullptr);

    // The click went through the status line's accounting.
    EXPECT_TRUE(view_.StatusLine()->text().startsWith(
        QStringLiteral("%1 requests, 0 without reply.").arg(RequestTotals().requests)))
        << view_.StatusLine()->text().toStdString();

    // Enter on a page does not disconnect; in the connection box it does.
    QApplication::setActiveWindow(&view_);
    view_.Tabs()->widget(0)->findChild<QWidget*>(QStringLiteral("id1059_U2PtPrimary"))->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(Flags().connected);
    view_.Control(ids::window::kBaud)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(Flags().connected);
    EXPECT_EQ(view_.Tabs()->count(), 0);
    EXPECT_EQ(view_.ConnectButton()->text(), QStringLiteral("Connect"));
    EXPECT_EQ(view_.Indicator()->BackgroundColour(), QColor(211, 211, 211));
}

TEST_F(MainWindowViewTest, ScreenshotOfTheConnectedWindow) {
    sim::PtyPanel panel;
    panel.linkAsComPort(5);
    view_.show();
    QTest::mouseClick(view_.ConnectButton(), Qt::LeftButton);
    ASSERT_TRUE(Flags().connected);
    QCoreApplication::processEvents();
    QDir().mkpath(QStringLiteral(VOLTSCOPE_SCREENSHOT_DIR));
    const QString path = QStringLiteral(VOLTSCOPE_SCREENSHOT_DIR "/main_window_connected.png");
    QImage image = view_.grab().toImage();
    ASSERT_TRUE(image.save(path));
    EXPECT_EQ(image.size(), view_.size());
    // The indicator is drawn green in the picture, not only in the widget's state.
    QPoint centre = view_.Indicator()->mapTo(&view_, view_.Indicator()->rect().center());
    EXPECT_EQ(QColor(image.pixel(centre)), QColor(0, 255, 0));
}

}  // namespace
