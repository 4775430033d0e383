// The Configuration page's window offscreen: its form binds to CPPOne by the ids in the widget
// names, a user's pick in a real combo box reaches the store, a Set click asks for
// confirmation, typing in a memo attaches its tooltip, and a screenshot after a Get.
#include <gtest/gtest.h>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "pages/settings/configuration_page.h"
#include "pages/settings/memo_text.h"
#include "protocol/value_store.h"
#include "resources/ids/configuration.h"
#include "tests/gui/page_view_fixture.h"

namespace {

using namespace testing_support;

using ConfigurationPageViewTest = PageViewTest<CPPOne>;

TEST_F(ConfigurationPageViewTest, EveryControlOfTheFormIsBoundByItsId) {
    ExpectEveryControlBound(view_);
    EXPECT_EQ(FormBinder::IdOfObjectName(QStringLiteral("id1024_TapChngr")), 1024);
    EXPECT_EQ(FormBinder::IdOfObjectName(QStringLiteral("id1212")), 1212);
    EXPECT_EQ(FormBinder::IdOfObjectName(QStringLiteral("label_2")), -1);
    EXPECT_EQ(FormBinder::IdOfObjectName(QStringLiteral("idea")), -1);
    auto* tap = Control<QComboBox>(ids::config::kTapChanger);
    ASSERT_NE(tap, nullptr);
    EXPECT_EQ(tap->count(), 8);
    EXPECT_EQ(tap->currentIndex(), -1);  // empty until a Get
    EXPECT_EQ(Control<QPushButton>(ids::config::kGetAdvConfig)->text(),
              QStringLiteral(" Get Adv Cfg"));
    EXPECT_TRUE(Control<QLineEdit>(ids::config::kSoftwareVersion)->isReadOnly());
    view_.show();
    EXPECT_FALSE(Control<QPushButton>(ids::config::kViewImportedData)->isVisible());
    EXPECT_TRUE(Control<QPushButton>(ids::config::kSyncClock)->isVisible());
}

TEST_F(ConfigurationPageViewTest, APickInTheComboBoxStoresItsValue) {
    StoreSlot(10, 3) = 0;  // meter volts PRI, the second item
    Flags().connected = true;
    Flags().storeOnly = true;
    page_.GetAdvConfig(prompts_);
    auto* meter = Control<QComboBox>(ids::config::kMeterVolts);
    ASSERT_NE(meter, nullptr);
    ASSERT_EQ(meter->currentText(), QStringLiteral("PRI"));
    view_.show();
    meter->setFocus();
    QTest::keyClick(meter, Qt::Key_Up);  // the user moves to "SEC"
    EXPECT_EQ(meter->currentText(), QStringLiteral("SEC"));
    EXPECT_EQ(StoreSlot(10, 3), 1);
}

TEST_F(ConfigurationPageViewTest, SetButtonClickAsksForConfirmation) {
    ConnectPanel();
    view_.show();
    QTest::mouseClick(Control<QPushButton>(ids::config::kGetConfig), Qt::LeftButton);
    prompts_.calls.clear();
    prompts_.answers = {PromptAnswer::kNo};
    QTest::mouseClick(Control<QPushButton>(ids::config::kSetConfig), Qt::LeftButton);
    ASSERT_EQ(prompts_.Boxes().size(), 1u);
    EXPECT_EQ(prompts_.Boxes()[0].caption, "CONFIRM SETTINGS");
    EXPECT_EQ(prompts_.Boxes()[0].buttons, PromptButtons::kYesNo);
}

TEST_F(ConfigurationPageViewTest, TypingInAMemoAttachesItsTooltip) {
    view_.show();
    auto* memo = Control<QLineEdit>(ids::config::kMemo1);
    ASSERT_NE(memo, nullptr);
    EXPECT_TRUE(memo->toolTip().isEmpty());
    memo->setFocus();
    QTest::keyClicks(memo, QStringLiteral("abcdefghijkl"));
    EXPECT_EQ(memo->text(), QStringLiteral("abcdefghij"));  // ten characters at most
    EXPECT_EQ(page_.Form()[ids::config::kMemo1].text, "abcdefghij");
    EXPECT_EQ(memo->toolTip(), QString::fromLatin1(kMemoToolTip));
    EXPECT_TRUE(Control<QLineEdit>(ids::config::kMemo2)->toolTip().isEmpty());
}

TEST_F(ConfigurationPageViewTest, ScreenshotAfterAGet) {
    auto& panel = ConnectPanel();
    panel.setRegister(10, 64, 0);
    panel.setRegister(10, 136, 1);
    panel.setRegister(10, 137, 2);
    panel.setRegister(10, 67, 411 | 3 << 10);
    view_.resize(940, 640);
    view_.show();
    QTest::mouseClick(Control<QPushButton>(ids::config::kGetCfgAndAdvCfg), Qt::LeftButton);
    EXPECT_TRUE(prompts_.Boxes().empty());
    EXPECT_EQ(Control<QLineEdit>(ids::config::kSoftwareVersion)->text(), QStringLiteral("4.1103"));
    EXPECT_EQ(Control<QComboBox>(ids::config::kTapChanger)->currentText(), QStringLiteral("GE"));
    QCoreApplication::processEvents();

    ExpectLabelsFit(view_);
    auto* configure = view_.findChild<QGroupBox*>(QStringLiteral("configureGroup"));
    auto* advanced = view_.findChild<QGroupBox*>(QStringLiteral("advConfigureGroup"));
    auto* common = view_.findChild<QGroupBox*>(QStringLiteral("commonGroup"));
    ASSERT_TRUE(configure && advanced && common);
    EXPECT_LT(configure->geometry().right(), advanced->geometry().left());
    EXPECT_LE(common->geometry().bottom(), configure->geometry().top());

    EXPECT_TRUE(SaveScreenshot(view_, QStringLiteral("configuration_page.png")));
    view_.resize(view_.minimumSizeHint().width(), 640);
    EXPECT_TRUE(SaveScreenshot(view_, QStringLiteral("configuration_page_narrow.png")));
}

// The main window is at least 800 pixels wide and scrolls only vertically, so the page must
// fit the tab of the narrowest window without being squeezed below what its labels need.
TEST(ConfigurationPageInTheWindow, FitsTheTabOfTheNarrowestWindow) {
    PrivateWorkingDir cwd;
    ResetValueStore();
    ResetFlags();
    NarrowestWindow w;
    QCoreApplication::processEvents();
    PageView* page = w.PageAt(0);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(&page->PageBehaviour(), &w.window.Configuration());
    ExpectFitsTheNarrowestTab(w.view, *page);
    // The connection box's last control, the indicator, stays inside the window too.
    auto* indicator = w.view.findChild<QWidget*>(QStringLiteral("IDC_INDICATOR"));
    ASSERT_NE(indicator, nullptr);
    EXPECT_LE(indicator->mapTo(&w.view, QPoint(indicator->width(), 0)).x(), w.view.width())
        << "the connection box is cut off in the narrowest window";
    EXPECT_TRUE(SaveScreenshot(w.view, QStringLiteral("configuration_tab_narrowest.png")));
    ResetFlags();
}

}  // namespace
