// The Logs and Quick Key page's window offscreen: its form binds to CPPThree by the ids in the
// widget names; "Refresh" fills the counts and shows "Download Logs", whose click asks for the
// log file; a pick in a quick-menu item opens the next; a clear choice asks its question;
// screenshots.
#include <gtest/gtest.h>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "pages/data/logs_quick_key_page.h"
#include "protocol/value_store.h"
#include "resources/ids/logs_quick_key.h"
#include "tests/gui/page_view_fixture.h"

namespace {

using namespace testing_support;
using namespace ids::logs;

class LogsPageViewTest : public PageViewTest<CPPThree> {
  protected:
    // With the version word in the store, as the main window's download leaves it.
    void ConnectPanel() {
        PageViewTest::ConnectPanel();
        StoreSlot(10, 67) = panel_->getRegister(10, 67);
    }

    void Screenshot(const char* name) {
        QCoreApplication::processEvents();
        ExpectLabelsFit(view_);
        EXPECT_TRUE(SaveScreenshot(view_, QString::fromLatin1(name)));
    }
};

TEST_F(LogsPageViewTest, ClicksAndPicksReachThePage) {
    ExpectEveryControlBound(view_);
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
    NarrowestWindow w;
    w.view.Tabs()->ShowPage(3);
    QCoreApplication::processEvents();
    PageView* page = w.PageAt(3);
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(&page->PageBehaviour(), &w.window.Logs());
    ExpectFitsTheNarrowestTab(w.view, *page);
    EXPECT_TRUE(SaveScreenshot(w.view, QStringLiteral("logs_quick_key_tab_narrowest.png")));
    ResetProcessState();
}

}  // namespace
