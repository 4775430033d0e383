// The Maintenance and Pseudo Manual tabs offscreen in the window connected to the simulated
// panel: their forms bind to CPPFive and CPPSix by the ids in the widget names (clicks run the
// actions, a pick asks its question, showing a tab reads the panel), and each fits the tab at
// 800 and at 968 pixels (screenshots).
#include <gtest/gtest.h>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/connection_settings.h"
#include "protocol/value_store.h"
#include "tests/gui/page_view_fixture.h"
#include "tests/support/request_log.h"

namespace {

using namespace testing_support;

class ConnectedTabs : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetProcessState();
        panel_.linkAsComPort(5);
        SaveConnectionSettings({5, 4, 1, 0});
        window_.OnInitDialog();
        view_.resize(view_.minimumSize());
        view_.show();
        QTest::mouseClick(view_.ConnectButton(), Qt::LeftButton);
        ASSERT_TRUE(Flags().connected);
    }
    void TearDown() override {
        CloseCommPort();
        ResetFlags();
    }

    PageView* ShowTab(const QString& caption) {
        for (int i = 0; i < view_.Tabs()->count(); ++i) {
            if (view_.Tabs()->tabText(i) == caption) {
                view_.Tabs()->setCurrentIndex(i);
                QCoreApplication::processEvents();
                return qobject_cast<PageView*>(view_.Tabs()->widget(i));
            }
        }
        ADD_FAILURE() << caption.toStdString() << " has no tab";
        return nullptr;
    }

    template <typename W>
    static W* Find(QWidget* page, const char* name) {
        auto* widget = page->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    // Every control of the page is bound; nothing is clipped at either width.
    void CheckAndGrab(PageView* page, const char* name) {
        ExpectEveryControlBound(*page);
        ExpectFitsTheNarrowestTab(view_, *page);
        for (const QSize size : {view_.minimumSize(), QSize(968, 845)}) {
            view_.resize(size);
            QCoreApplication::processEvents();
            ExpectLabelsFit(*page);
            EXPECT_TRUE(SaveScreenshot(
                view_, QStringLiteral("%1_tab_%2.png").arg(QLatin1String(name)).arg(size.width())));
        }
    }

    PrivateWorkingDir cwd_;
    PrivatePortsFolder ports_;
    sim::PtyPanel panel_;
    FakeUserPrompts prompts_;
    CRegToolDlg window_{prompts_};
    MainWindowView view_{window_, prompts_};
};

TEST_F(ConnectedTabs, MaintenanceButtonsAndListsReachThePage) {
    PageView* page = ShowTab(QStringLiteral("Maintenance"));
    ASSERT_NE(page, nullptr);
    QTest::mouseClick(Find<QPushButton>(page, "id1421_GetSettings"), Qt::LeftButton);
    QTest::mouseClick(Find<QPushButton>(page, "id1011_Refresh"), Qt::LeftButton);
    EXPECT_EQ(Find<QComboBox>(page, "id1335_TapChangerType")->currentText(),
              QStringLiteral("MECH-B"));
    EXPECT_EQ(Find<QLineEdit>(page, "id1333_ConsOv")->text(), QStringLiteral("REPLACE"));
    EXPECT_TRUE(Find<QLineEdit>(page, "id1339_Con0")->isReadOnly());

    auto* clearAll = Find<QComboBox>(page, "id1358_ClearAll");
    prompts_.answers = {PromptAnswer::kYes};
    clearAll->setFocus();
    QTest::keyClick(clearAll, Qt::Key_Down);  // the user picks "Y", the first item
    EXPECT_EQ(prompts_.Captions(), (std::vector<std::string>{"CLEAR ALL MAINTENANCE DATA"}));
    EXPECT_EQ(StoreSlot(10, 219), 2);
    CheckAndGrab(page, "maintenance");
}

TEST_F(ConnectedTabs, PseudoManualReadsWhenShownAndClicksWrite) {
    panel_.setRegister(10, 51, 1);
    panel_.setRegister(2, 42, 1);
    panel_.clearRequests();
    PageView* page = ShowTab(QStringLiteral("Pseudo Manual"));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Find<QLineEdit>(page, "id1422_Mode")->text(), QStringLiteral("MANUAL"));
    auto* inhibit = Find<QPushButton>(page, "id1008_AutoInhibit");
    EXPECT_EQ(inhibit->text(), QStringLiteral("Disable AUTO-INH"));
    QTest::mouseClick(Find<QPushButton>(page, "id1006_Raise"), Qt::LeftButton);
    QTest::mouseClick(inhibit, Qt::LeftButton);
    EXPECT_EQ(inhibit->text(), QStringLiteral("Enable AUTO-INH"));
    panel_.waitForRequests(4, std::chrono::seconds(10));
    EXPECT_EQ(Describe(panel_.requests()),
              (std::vector<std::string>{"R 10/51x1", "R 2/42x1", "W 4/3x1", "W 2/42x1"}));
    EXPECT_TRUE(prompts_.Boxes().empty());
    CheckAndGrab(page, "pseudo_manual");
}

}  // namespace
