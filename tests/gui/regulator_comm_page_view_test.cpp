// The Regulator and Comm page's window offscreen: its form binds to CPPOneA by the ids in the
// widget names, a pick in a real combo box reaches the store or shows the page's box, a click
// runs its action, and screenshots after a Get at the widest and the narrowest window.
#include <gtest/gtest.h>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "pages/settings/regulator_comm_page.h"
#include "protocol/value_store.h"
#include "resources/ids/regulator_comm.h"
#include "tests/gui/page_view_fixture.h"

namespace {

using namespace testing_support;
using namespace ids::regulator;

using RegulatorCommPageViewTest = PageViewTest<CPPOneA>;

TEST_F(RegulatorCommPageViewTest, PicksClicksAndTheLinkReachTheWidgets) {
    ExpectEveryControlBound(view_);
    sim::PtyPanel panel;
    panel.setLinkValue(2);
    ASSERT_TRUE(LinkPanel(panel, 9));
    view_.show();
    QTest::mouseClick(Control<QPushButton>(kGetRegAndCommConfig), Qt::LeftButton);
    EXPECT_EQ(Control<QLineEdit>(kFwdCompX)->text(), QStringLiteral("-5"));
    EXPECT_EQ(Control<QLineEdit>(kVrcStatus)->text(), QStringLiteral("5.0"));
    EXPECT_TRUE(Control<QLineEdit>(kVrcStatus)->isReadOnly());
    EXPECT_FALSE(Control<QComboBox>(kProtocol)->isEnabled());
    EXPECT_TRUE(Control<QLineEdit>(kCommAddress)->isReadOnly());
    EXPECT_FALSE(Control<QPushButton>(kViewImportedData)->isVisible());

    auto* vlc = Control<QComboBox>(kVlcEnable);
    ASSERT_EQ(vlc->currentText(), QStringLiteral("ON"));
    vlc->setFocus();
    QTest::keyClick(vlc, Qt::Key_Up);  // the user moves to "OFF"
    EXPECT_EQ(StoreSlot(2, 26), 0);

    auto* dnp = Control<QComboBox>(kDnpSet);
    dnp->setFocus();
    while (dnp->currentIndex() > 1) {
        QTest::keyClick(dnp, Qt::Key_Up);  // up to "set9", past the sets that can be chosen
    }
    ASSERT_FALSE(prompts_.Boxes().empty());
    EXPECT_EQ(prompts_.Boxes().back().caption, "Select Another");
    EXPECT_EQ(dnp->currentText(), QStringLiteral("set9"));
    EXPECT_EQ(StoreSlot(10, 201), 8);

    prompts_.calls.clear();
    prompts_.answers = {PromptAnswer::kNo};
    QTest::mouseClick(Control<QPushButton>(kSendSetPointConfig), Qt::LeftButton);
    ASSERT_EQ(prompts_.Boxes().size(), 1u);
    EXPECT_EQ(prompts_.Boxes()[0].text, "Set Point CFG");

    view_.resize(940, 640);
    ExpectLabelsFit(view_);
    EXPECT_TRUE(SaveScreenshot(view_, QStringLiteral("regulator_comm_page.png")));
    view_.resize(view_.minimumSizeHint().width(), 640);
    EXPECT_TRUE(SaveScreenshot(view_, QStringLiteral("regulator_comm_page_narrow.png")));
    EXPECT_LE(view_.minimumSizeHint().height(), 640);
    CloseCommPort();
}

// The window is at least 800 pixels wide and scrolls only vertically, so the page must fit the
// tab of the narrowest window.
TEST(RegulatorCommPageInTheWindow, FitsTheTabOfTheNarrowestWindow) {
    PrivateWorkingDir cwd;
    ResetProcessState();
    NarrowestWindow w;
    w.view.Tabs()->setCurrentIndex(1);
    QCoreApplication::processEvents();
    PageView* page = w.PageAt(1);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(&page->PageBehaviour(), &w.window.RegulatorComm());
    ExpectFitsTheNarrowestTab(w.view, *page);
    EXPECT_TRUE(SaveScreenshot(w.view, QStringLiteral("regulator_comm_tab_800.png")));
    ResetFlags();
}

}  // namespace
