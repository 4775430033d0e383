// Help -> "Frame Log" over a Connect to the simulated panel: the window lists the frames the
// download put on the line as they came, clears them, saves them, and a screenshot shows it.
#include <gtest/gtest.h>
#include <QAction>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "app/connection_settings.h"
#include "app/frame_log.h"
#include "app/main_window.h"
#include "app/view/frame_log_window.h"
#include "app/view/main_window_view.h"
#include "pages/kit/app_flags.h"
#include "pages/kit/text_file.h"
#include "protocol/requests.h"
#include "resources/ids/main_window.h"
#include "serial/serial_link.h"
#include "sim/pty_panel.h"
#include "tests/gui/page_view_fixture.h"
#include "tests/support/fake_user_prompts.h"
#include "tests/support/private_working_dir.h"
#include "tests/support/process_state.h"
#include "tests/support/pty_pair.h"

namespace {

using namespace testing_support;

class FrameLogWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetProcessState();
        SaveConnectionSettings({5, 4, 1, 0});  // COM 05
        window_.OnInitDialog();
        SetFrameObserver([this](const FrameEvent& event) { frames_.Record(event); });
        view_.AttachFrameLog(frames_);
        panel_.linkAsComPort(5);
    }
    void TearDown() override {
        SetFrameObserver(nullptr);
        CloseCommPort();
        ResetFlags();
    }

    PrivatePortsFolder ports_;
    PrivateWorkingDir cwd_;
    sim::PtyPanel panel_;
    FakeUserPrompts prompts_;
    FrameLog frames_;
    CRegToolDlg window_{prompts_};
    MainWindowView view_{window_, prompts_};
};

TEST_F(FrameLogWindowTest, ListsTheFramesOfAConnectAsTheyComeThenClearsAndSaves) {
    view_.show();
    auto* menuItem = view_.findChild<QAction*>(QStringLiteral("menu%1").arg(ids::menu::kFrameLog));
    ASSERT_NE(menuItem, nullptr);
    menuItem->trigger();
    auto* log = view_.findChild<FrameLogWindow*>();
    ASSERT_NE(log, nullptr);
    EXPECT_TRUE(log->isVisible());
    EXPECT_EQ(log->windowTitle(), QStringLiteral("Frame Log"));
    EXPECT_TRUE(log->Text()->toPlainText().isEmpty());

    QTest::mouseClick(view_.ConnectButton(), Qt::LeftButton);
    ASSERT_TRUE(Flags().connected);
    // One line out and one back for every request the panel saw, in the order they came, and
    // one for what the panel's first three replies showed.
    EXPECT_EQ(frames_.Lines().size(), 2 * panel_.requests().size() + 1);
    std::string expected = frames_.Text();
    expected.pop_back();
    EXPECT_EQ(log->Text()->toPlainText().toStdString(), expected);
    EXPECT_NE(expected.find("TX             read 11/239x1   05 B0 EF 01 5B\n"), std::string::npos);
    EXPECT_EQ(log->Text()->horizontalScrollBar()->value(), 0);  // the times show
    EXPECT_NE(expected.find("note           replies with values: the panel echoes the function "
                            "byte and sums each to 0"),
              std::string::npos);

    EXPECT_TRUE(SaveScreenshot(*log, QStringLiteral("frame_log.png")));

    prompts_.fileNames = {"frames.txt"};
    QTest::mouseClick(log->SaveButton(), Qt::LeftButton);
    EXPECT_EQ(ReadFile(cwd_.dir() + "/frames.txt"), WithCrLf(frames_.Text()));

    QTest::mouseClick(log->ClearButton(), Qt::LeftButton);
    EXPECT_TRUE(log->Text()->toPlainText().isEmpty());
    EXPECT_TRUE(frames_.Lines().empty());
    // The menu brings the same window back.
    EXPECT_EQ(view_.ShowFrameLog(), log);
}

}  // namespace
