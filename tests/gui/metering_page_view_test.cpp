// The Metering page's window offscreen: its form binds to CPPTwo by the ids in the widget names,
// a Refresh click fills its group, the Auto Refresh box runs the page's window timer and hides
// the buttons, and screenshots of the filled page in the narrowest and the widest window.
#include <gtest/gtest.h>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/view/qt_page_timer.h"
#include "pages/data/metering_page.h"
#include "resources/ids/metering_counters.h"
#include "tests/gui/page_view_fixture.h"

namespace {

using namespace testing_support;
namespace id = ids::metering;

class MeteringPageViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetProcessState();
        ResetAutoRefresh();
    }
    void TearDown() override {
        ResetProcessState();
        ResetAutoRefresh();
    }

    void ConnectPanel() {
        panel_ = std::make_unique<sim::PtyPanel>();
        ASSERT_TRUE(LinkPanel(*panel_, 6));
    }

    PrivatePortsFolder ports_;
    PrivateWorkingDir cwd_;
    FakeUserPrompts prompts_;
    std::unique_ptr<sim::PtyPanel> panel_;
};

TEST_F(MeteringPageViewTest, RefreshFillsItsGroupAndAutoRefreshRunsTheWindowTimer) {
    CPPTwo page;
    PageView view(page, prompts_);
    ExpectEveryControlBound(view);
    auto* box = ControlOf<QCheckBox>(view, id::kAutoRefresh);
    auto* every = ControlOf<QComboBox>(view, id::kRefreshEvery);
    ASSERT_TRUE(box && every);
    EXPECT_TRUE(every->isEditable());
    view.show();

    // Not connected: the box says so and the check box does not stay ticked.
    QTest::mouseClick(box, Qt::LeftButton);
    ASSERT_EQ(prompts_.Captions(), std::vector<std::string>{"NOT CONNECTED"});
    EXPECT_FALSE(box->isChecked());
    EXPECT_FALSE(view.Timer().IsRunning(CPPTwo::kAutoRefreshTimer));

    ConnectPanel();
    QTest::mouseClick(ControlOf<QPushButton>(view, id::kRefreshMeter), Qt::LeftButton);
    EXPECT_EQ(ControlOf<QLineEdit>(view, id::kVld)->text(), QStringLiteral("120.3"));
    EXPECT_EQ(ControlOf<QLineEdit>(view, id::kKvar)->text(), QStringLiteral("-448"));

    every->activated(every->findText(QStringLiteral("5")));
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(view.Timer().IsRunning(CPPTwo::kAutoRefreshTimer));
    EXPECT_EQ(view.Timer().Interval(CPPTwo::kAutoRefreshTimer), 5000);
    EXPECT_FALSE(ControlOf<QPushButton>(view, id::kRefreshMeter)->isVisible());
    EXPECT_FALSE(ControlOf<QPushButton>(view, id::kDownloadHarmonics)->isVisible());
    EXPECT_TRUE(ControlOf<QLineEdit>(view, id::kTotalOps)->isReadOnly());

    view.hide();
    EXPECT_FALSE(view.Timer().IsRunning(CPPTwo::kAutoRefreshTimer));
    view.show();
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(view.Timer().IsRunning(CPPTwo::kAutoRefreshTimer));
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_FALSE(view.Timer().IsRunning(CPPTwo::kAutoRefreshTimer));
    EXPECT_TRUE(ControlOf<QPushButton>(view, id::kRefreshMeter)->isVisible());
    EXPECT_FALSE(ControlOf<QLineEdit>(view, id::kTotalOps)->isReadOnly());
}

// The page fills the tab of the narrowest and of the widest window without clipping a label.
TEST_F(MeteringPageViewTest, ScreenshotsInTheNarrowestAndWidestWindow) {
    ConnectPanel();
    CRegToolDlg window(prompts_);
    MainWindowView view(window, prompts_);
    view.show();
    window.SetUpTabs(false);
    view.Tabs()->ShowPage(2);
    auto* page = qobject_cast<PageView*>(view.Tabs()->widget(2));
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(&page->PageBehaviour(), &window.Metering());
    for (int button : {id::kRefreshMeter, id::kRefreshDemand, id::kRefreshCounters}) {
        QTest::mouseClick(ControlOf<QPushButton>(*page, button), Qt::LeftButton);
    }
    EXPECT_TRUE(prompts_.Boxes().empty());
    const std::pair<QSize, const char*> sizes[] = {{view.minimumSize(), "metering_page_800.png"},
                                                   {view.maximumSize(), "metering_page_968.png"}};
    for (const auto& [size, file] : sizes) {
        view.resize(size);
        QCoreApplication::processEvents();
        for (QLabel* label : page->findChildren<QLabel*>()) {
            if (label->isVisible()) {
                EXPECT_GE(label->width(), label->minimumSizeHint().width())
                    << label->text().toStdString() << " at " << size.width();
            }
        }
        for (QLineEdit* edit : page->findChildren<QLineEdit*>()) {
            EXPECT_GE(edit->width(), edit->fontMetrics().horizontalAdvance(edit->text()))
                << edit->objectName().toStdString() << " at " << size.width();
        }
        EXPECT_LE(page->minimumSizeHint().width() + AroundPage(view, *page), view.width())
            << size.width();
        EXPECT_LE(page->minimumSizeHint().height(), page->height()) << size.width();
        EXPECT_TRUE(SaveScreenshot(view, QString::fromLatin1(file)));
    }
    Flags().connected = false;
}

}  // namespace
