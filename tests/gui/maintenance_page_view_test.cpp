// The Maintenance page's window offscreen: its form binds to CPPFive by the ids in the widget
// names (a click refreshes the grades, a pick in a clear list asks its question), and it fits
// the tab of the connected window at 800 and at 968 pixels.
#include <gtest/gtest.h>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/connection_settings.h"
#include "app/main_window.h"
#include "app/view/form_binder.h"
#include "app/view/main_window_view.h"
#include "app/view/page_view.h"
#include "pages/data/maintenance_page.h"
#include "pages/kit/app_flags.h"
#include "protocol/value_store.h"
#include "resources/ids/maintenance.h"
#include "serial/serial_link.h"
#include "sim/pty_panel.h"
#include "tests/support/fake_user_prompts.h"
#include "tests/support/private_working_dir.h"
#include "tests/support/process_state.h"
#include "tests/support/pty_pair.h"
#include "widgets/ib_tab_ctrl.h"

namespace {

using namespace testing_support;
using namespace ids::maintenance;

template <typename W>
W* Find(QWidget* root, const char* name) {
    auto* widget = root->findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

TEST(MaintenancePageView, ClicksAndPicksReachThePage) {
    ResetProcessState();
    PrivatePortsFolder ports;
    sim::PtyPanel panel;
    panel.linkAsComPort(6);
    ASSERT_NE(OpenCommPort(6, 9600, 1), 0);
    Flags().connected = true;
    FakeUserPrompts prompts;
    CPPFive page;
    PageView view(page, prompts);
    for (int id : page.Form().Ids()) {
        EXPECT_NE(view.Binder().Widget(id), nullptr) << id;
    }
    view.show();
    QTest::mouseClick(Find<QPushButton>(&view, "id1011_Refresh"), Qt::LeftButton);
    EXPECT_EQ(Find<QLineEdit>(&view, "id1333_ConsOv")->text(), QStringLiteral("REPLACE"));
    EXPECT_EQ(Find<QLineEdit>(&view, "id1339_Con0")->text(), QStringLiteral("EXCELLENT"));
    EXPECT_TRUE(Find<QLineEdit>(&view, "id1339_Con0")->isReadOnly());

    auto* clearAll = Find<QComboBox>(&view, "id1358_ClearAll");
    ASSERT_EQ(clearAll->count(), 2);
    prompts.answers = {PromptAnswer::kYes};
    clearAll->setFocus();
    QTest::keyClick(clearAll, Qt::Key_Down);  // the user picks "Y", the first item
    EXPECT_EQ(clearAll->currentText(), QStringLiteral("Y"));
    ASSERT_EQ(prompts.Captions(), (std::vector<std::string>{"CLEAR ALL MAINTENANCE DATA"}));
    EXPECT_EQ(StoreSlot(10, 219), 2);
    CloseCommPort();
    ResetFlags();
}

// Connected to the simulated panel, the Maintenance tab after a Get and a Refresh.
TEST(MaintenancePageInTheWindow, FitsTheTabAt800And968Pixels) {
    ResetProcessState();
    PrivateWorkingDir cwd;
    PrivatePortsFolder ports;
    sim::PtyPanel panel;
    panel.linkAsComPort(5);
    SaveConnectionSettings({5, 4, 1, 0});
    FakeUserPrompts prompts;
    CRegToolDlg window(prompts);
    window.OnInitDialog();
    MainWindowView view(window, prompts);
    view.resize(view.minimumSize());
    view.show();
    QTest::mouseClick(view.ConnectButton(), Qt::LeftButton);
    ASSERT_TRUE(Flags().connected);
    ASSERT_EQ(view.Tabs()->tabText(5), QStringLiteral("Maintenance"));
    view.Tabs()->setCurrentIndex(5);
    auto* page = qobject_cast<PageView*>(view.Tabs()->widget(5));
    ASSERT_NE(page, nullptr);
    QTest::mouseClick(Find<QPushButton>(page, "id1421_GetSettings"), Qt::LeftButton);
    QTest::mouseClick(Find<QPushButton>(page, "id1011_Refresh"), Qt::LeftButton);
    EXPECT_EQ(Find<QComboBox>(page, "id1335_TapChangerType")->currentText(),
              QStringLiteral("MECH-B"));
    QCoreApplication::processEvents();

    QDir().mkpath(QStringLiteral(VOLTSCOPE_SCREENSHOT_DIR));
    const int around = view.Tabs()->width() - page->width() + 2 * view.Tabs()->geometry().left();
    EXPECT_LE(page->minimumSizeHint().width() + around, view.minimumSize().width());
    for (const QSize size : {view.minimumSize(), QSize(968, 845)}) {
        view.resize(size);
        QCoreApplication::processEvents();
        for (QLabel* label : page->findChildren<QLabel*>()) {
            EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
        }
        EXPECT_TRUE(view.grab().save(
            QStringLiteral(VOLTSCOPE_SCREENSHOT_DIR "/maintenance_tab_%1.png").arg(size.width())));
    }
    CloseCommPort();
    ResetFlags();
}

}  // namespace
