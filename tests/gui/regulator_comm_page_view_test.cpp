// The Regulator and Comm page's window offscreen: its form binds to CPPOneA by the ids in the
// widget names, a pick in a real combo box reaches the store or shows the page's box, a click
// runs its action, and screenshots after a Get at the widest and the narrowest window.
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
#include "pages/kit/app_flags.h"
#include "pages/settings/regulator_comm_page.h"
#include "protocol/value_store.h"
#include "resources/ids/regulator_comm.h"
#include "serial/serial_link.h"
#include "sim/pty_panel.h"
#include "tests/support/fake_user_prompts.h"
#include "tests/support/private_working_dir.h"
#include "tests/support/process_state.h"
#include "tests/support/pty_pair.h"
#include "widgets/ib_tab_ctrl.h"

namespace {

using namespace testing_support;
using namespace ids::regulator;

class RegulatorCommPageViewTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetProcessState(); }
    void TearDown() override { ResetProcessState(); }

    template <typename W>
    W* Control(int id) {
        auto* widget = qobject_cast<W*>(view_.Binder().Widget(id));
        EXPECT_NE(widget, nullptr) << id;
        return widget;
    }
    void Save(QWidget& widget, const char* name) {
        QCoreApplication::processEvents();
        QDir().mkpath(QStringLiteral(VOLTSCOPE_SCREENSHOT_DIR));
        EXPECT_TRUE(widget.grab().save(QStringLiteral(VOLTSCOPE_SCREENSHOT_DIR "/") +
                                       QString::fromLatin1(name)));
    }

    PrivatePortsFolder ports_;
    PrivateWorkingDir cwd_;
    FakeUserPrompts prompts_;
    CPPOneA page_;
    PageView view_{page_, prompts_};
};

TEST_F(RegulatorCommPageViewTest, PicksClicksAndTheLinkReachTheWidgets) {
    for (int id : page_.Form().Ids()) {
        EXPECT_NE(view_.Binder().Widget(id), nullptr) << id;
    }
    sim::PtyPanel panel;
    panel.setLinkValue(2);
    panel.linkAsComPort(9);
    ASSERT_NE(OpenCommPort(9, 9600, 1), 0);
    Flags().connected = true;
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
    for (QLabel* label : view_.findChildren<QLabel*>()) {
        EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
    }
    Save(view_, "regulator_comm_page.png");
    view_.resize(view_.minimumSizeHint().width(), 640);
    Save(view_, "regulator_comm_page_narrow.png");
    EXPECT_LE(view_.minimumSizeHint().height(), 640);
    CloseCommPort();
}

// The window is at least 800 pixels wide and scrolls only vertically, so the page must fit the
// tab of the narrowest window.
TEST(RegulatorCommPageInTheWindow, FitsTheTabOfTheNarrowestWindow) {
    PrivateWorkingDir cwd;
    ResetProcessState();
    FakeUserPrompts prompts;
    CRegToolDlg window(prompts);
    MainWindowView view(window, prompts);
    view.resize(view.minimumSize());
    view.show();
    window.SetUpTabs(false);
    view.Tabs()->setCurrentIndex(1);
    QCoreApplication::processEvents();
    auto* page = qobject_cast<PageView*>(view.Tabs()->widget(1));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(&page->PageBehaviour(), &window.RegulatorComm());
    const int around = view.Tabs()->width() - page->width() + 2 * view.Tabs()->geometry().left();
    EXPECT_LE(page->minimumSizeHint().width() + around, view.minimumSize().width());
    QDir().mkpath(QStringLiteral(VOLTSCOPE_SCREENSHOT_DIR));
    EXPECT_TRUE(
        view.grab().save(QStringLiteral(VOLTSCOPE_SCREENSHOT_DIR "/regulator_comm_tab_800.png")));
    ResetFlags();
}

}  // namespace
