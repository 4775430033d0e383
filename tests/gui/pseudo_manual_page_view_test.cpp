// The Pseudo Manual page's window offscreen: showing it reads the panel, a click on Raise sends
// the raise, the auto-inhibit button's caption follows the page, and it fits the tab of the
// connected window at 800 and at 968 pixels.
#include <gtest/gtest.h>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/connection_settings.h"
#include "app/main_window.h"
#include "app/view/main_window_view.h"
#include "app/view/page_view.h"
#include "pages/kit/app_flags.h"
#include "serial/serial_link.h"
#include "sim/pty_panel.h"
#include "tests/support/fake_user_prompts.h"
#include "tests/support/private_working_dir.h"
#include "tests/support/process_state.h"
#include "tests/support/pty_pair.h"
#include "tests/support/request_log.h"
#include "widgets/ib_tab_ctrl.h"

namespace {

using namespace testing_support;

template <typename W>
W* Find(QWidget* root, const char* name) {
    auto* widget = root->findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

TEST(PseudoManualPageInTheWindow, ShowingReadsAndClicksWrite) {
    ResetProcessState();
    PrivateWorkingDir cwd;
    PrivatePortsFolder ports;
    sim::PtyPanel panel;
    panel.linkAsComPort(5);
    panel.setRegister(10, 51, 1);
    panel.setRegister(2, 42, 1);
    SaveConnectionSettings({5, 4, 1, 0});
    FakeUserPrompts prompts;
    CRegToolDlg window(prompts);
    window.OnInitDialog();
    MainWindowView view(window, prompts);
    view.resize(view.minimumSize());
    view.show();
    QTest::mouseClick(view.ConnectButton(), Qt::LeftButton);
    ASSERT_TRUE(Flags().connected);
    const int last = view.Tabs()->count() - 1;
    ASSERT_EQ(view.Tabs()->tabText(last), QStringLiteral("Pseudo Manual"));
    panel.clearRequests();
    view.Tabs()->setCurrentIndex(last);
    QCoreApplication::processEvents();
    auto* page = qobject_cast<PageView*>(view.Tabs()->widget(last));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Find<QLineEdit>(page, "id1422_Mode")->text(), QStringLiteral("MANUAL"));
    auto* inhibit = Find<QPushButton>(page, "id1008_AutoInhibit");
    EXPECT_EQ(inhibit->text(), QStringLiteral("Disable AUTO-INH"));
    QTest::mouseClick(Find<QPushButton>(page, "id1006_Raise"), Qt::LeftButton);
    QTest::mouseClick(inhibit, Qt::LeftButton);
    EXPECT_EQ(inhibit->text(), QStringLiteral("Enable AUTO-INH"));
    panel.waitForRequests(4, std::chrono::seconds(10));
    EXPECT_EQ(Describe(panel.requests()),
              (std::vector<std::string>{"R 10/51x1", "R 2/42x1", "W 4/3x1", "W 2/42x1"}));
    EXPECT_TRUE(prompts.Boxes().empty());

    QDir().mkpath(QStringLiteral(VOLTSCOPE_SCREENSHOT_DIR));
    const int around = view.Tabs()->width() - page->width() + 2 * view.Tabs()->geometry().left();
    EXPECT_LE(page->minimumSizeHint().width() + around, view.minimumSize().width());
    for (const QSize size : {view.minimumSize(), QSize(968, 845)}) {
        view.resize(size);
        QCoreApplication::processEvents();
        for (QLabel* label : page->findChildren<QLabel*>()) {
            EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
        }
        EXPECT_TRUE(
            view.grab().save(QStringLiteral(VOLTSCOPE_SCREENSHOT_DIR "/pseudo_manual_tab_%1.png")
                                 .arg(size.width())));
    }
    CloseCommPort();
    ResetFlags();
}

}  // namespace
