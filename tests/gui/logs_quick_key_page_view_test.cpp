// The Logs and Quick Key page's window offscreen: its form binds to CPPThree by the ids in the
// widget names; "Refresh" fills the counts and shows "Download Logs", whose click asks for the
// log file; a pick in a quick-menu item opens the next; a clear choice asks its question;
// screenshots.
#include <gtest/gtest.h>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/main_window.h"
#include "app/view/form_binder.h"
#include "app/view/main_window_view.h"
#include "app/view/page_view.h"
#include "pages/data/logs_quick_key_page.h"
#include "pages/kit/app_flags.h"
#include "protocol/value_store.h"
#include "resources/ids/logs_quick_key.h"
#include "serial/serial_link.h"
#include "sim/pty_panel.h"
#include "tests/support/fake_user_prompts.h"
#include "tests/support/private_working_dir.h"
#include "tests/support/process_state.h"
#include "tests/support/pty_pair.h"
#include "widgets/ib_tab_ctrl.h"

namespace {

using namespace testing_support;
using namespace ids::logs;

constexpr unsigned kPort = 9;

class LogsPageViewTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetProcessState(); }
    void TearDown() override { ResetProcessState(); }

    void ConnectPanel() {
        panel_ = std::make_unique<sim::PtyPanel>();
        panel_->linkAsComPort(kPort);
        EXPECT_NE(OpenCommPort(kPort, 9600, 1), 0);
        Flags().connected = true;
        StoreSlot(10, 67) = panel_->getRegister(10, 67);
    }

    template <typename W>
    W* Control(int id) {
        auto* widget = qobject_cast<W*>(view_.Binder().Widget(id));
        EXPECT_NE(widget, nullptr) << id;
        return widget;
    }

    void Screenshot(const char* name) {
        QCoreApplication::processEvents();
        for (QLabel* label : view_.findChildren<QLabel*>()) {
            EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
        }
        QDir().mkpath(QStringLiteral(VOLTSCOPE_SCREENSHOT_DIR));
        EXPECT_TRUE(view_.grab().save(QStringLiteral(VOLTSCOPE_SCREENSHOT_DIR "/") +
                                      QString::fromLatin1(name)));
    }

    PrivatePortsFolder ports_;
    PrivateWorkingDir cwd_;
    FakeUserPrompts prompts_;
    CPPThree page_;
    std::unique_ptr<sim::PtyPanel> panel_;
    PageView view_{page_, prompts_};
};

TEST_F(LogsPageViewTest, ClicksAndPicksReachThePage) {
    for (int id : page_.Form().Ids()) {
        EXPECT_NE(view_.Binder().Widget(id), nullptr) << id;
    }
    ConnectPanel();
    view_.show();
    auto* download = Control<QPushButton>(kDownloadLogs);
    EXPECT_FALSE(download->isVisible());
    EXPECT_FALSE(Control<QPushButton>(kDefaultQuickMenu)->isVisible());
    QTest::mouseClick(Control<QPushButton>(kRefresh), Qt::LeftButton);
    EXPECT_EQ(Control<QLineEdit>(kEventsAvailable)->text(), QStringLiteral("5"));
    EXPECT_TRUE(Control<QLineEdit>(kEventsAvailable)->isReadOnly());
    EXPECT_EQ(Control<QLineEdit>(kIntervalsToDownload)->text(), QStringLiteral("3"));
    EXPECT_TRUE(download->isVisible());
    EXPECT_TRUE(download->isEnabled());
    prompts_.fileNames = {std::nullopt};  // the log download asks for its file first
    QTest::mouseClick(download, Qt::LeftButton);
    ASSERT_EQ(prompts_.OfKind("save").size(), 1u);
    EXPECT_EQ(prompts_.OfKind("save")[0]->file.title, "Save Log File");

    auto* first = Control<QComboBox>(kQuickMenuItem1);
    auto* second = Control<QComboBox>(kQuickMenuItem1 + 1);
    EXPECT_EQ(first->count(), 232);
    EXPECT_FALSE(second->isEnabled());
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Down);  // the first screen
    EXPECT_EQ(first->currentIndex(), 0);
    EXPECT_TRUE(second->isEnabled());

    auto* clear = Control<QComboBox>(kClearChoice);
    prompts_.answers = {PromptAnswer::kNo};
    clear->setFocus();
    clear->setCurrentIndex(0);
    QTest::keyClick(clear, Qt::Key_Down);  // "EVENT"
    ASSERT_EQ(prompts_.Boxes().size(), 1u);
    EXPECT_EQ(prompts_.Boxes()[0].caption, "CLEAR ALL EVENT");
    EXPECT_EQ(clear->currentText(), QStringLiteral("NONE"));
}

TEST_F(LogsPageViewTest, ScreenshotsAfterTheDownload) {
    ConnectPanel();
    view_.resize(940, 640);
    view_.show();
    page_.GetLogSetup(prompts_);
    page_.RefreshCounts(prompts_);
    QTest::mouseClick(Control<QPushButton>(kGetQuickMenu), Qt::LeftButton);
    EXPECT_TRUE(prompts_.Boxes().empty());
    EXPECT_EQ(Control<QComboBox>(kIntervalHours)->currentText(), QStringLiteral("1"));
    EXPECT_EQ(Control<QComboBox>(kLogMinMax)->currentText(), QStringLiteral("Dmd"));
    EXPECT_EQ(Control<QComboBox>(kQuickMenuItem1 + 5)->currentText(),
              QStringLiteral("kz3a_vrc screen"));
    auto* setup = view_.findChild<QGroupBox*>(QStringLiteral("logSetupGroup"));
    auto* logs = view_.findChild<QGroupBox*>(QStringLiteral("logsGroup"));
    auto* quick = view_.findChild<QGroupBox*>(QStringLiteral("quickGroup"));
    ASSERT_TRUE(setup && logs && quick);
    Screenshot("logs_quick_key_page.png");
    EXPECT_LT(setup->geometry().right(), logs->geometry().left());
    EXPECT_LE(logs->geometry().bottom(), quick->geometry().top());
    view_.resize(view_.minimumSizeHint().width(), 640);
    Screenshot("logs_quick_key_page_narrow.png");
}

// The page fits the tab of the narrowest window (800 pixels), which scrolls only vertically.
TEST(LogsPageInTheWindow, FitsTheTabOfTheNarrowestWindow) {
    PrivateWorkingDir cwd;
    ResetProcessState();
    FakeUserPrompts prompts;
    CRegToolDlg window(prompts);
    MainWindowView view(window, prompts);
    view.resize(view.minimumSize());
    view.show();
    window.SetUpTabs(false);
    view.Tabs()->ShowPage(3);
    QCoreApplication::processEvents();
    auto* page = qobject_cast<PageView*>(view.Tabs()->widget(3));
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(&page->PageBehaviour(), &window.Logs());
    const int around = view.Tabs()->width() - page->width() + 2 * view.Tabs()->geometry().left();
    EXPECT_LE(page->minimumSizeHint().width() + around, view.minimumSize().width())
        << "page " << page->minimumSizeHint().width() << " around " << around;
    QDir().mkpath(QStringLiteral(VOLTSCOPE_SCREENSHOT_DIR));
    EXPECT_TRUE(view.grab().save(
        QStringLiteral(VOLTSCOPE_SCREENSHOT_DIR "/logs_quick_key_tab_narrowest.png")));
    ResetProcessState();
}

}  // namespace
