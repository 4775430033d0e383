// The Diag, Pwds and Alerts page's window offscreen: its form binds to CPPFour by the ids in the
// widget names, Permit/Prevent shows and hides "Set Diagnostics", another tab locks the page, a
// pick in a real combo box reaches the store, the alert status fields take their colour, and
// screenshots of the whole window at its narrowest and widest.
#include <gtest/gtest.h>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>

#include "pages/settings/diag_pwds_alerts_page.h"
#include "pages/settings/panel_passwords.h"
#include "protocol/value_store.h"
#include "resources/ids/diag_pwds_alerts.h"
#include "tests/gui/page_view_fixture.h"
#include "widgets/colour_edit.h"

namespace {

using namespace testing_support;
using namespace ids::diag;

class DiagPageViewTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetProcessState(); }
    void TearDown() override { ResetProcessState(); }

    template <typename W>
    W* Control(int id) {
        return ControlOf<W>(*view_, id);
    }

    FakeUserPrompts prompts_;
    CPPFour page_;
    QTabWidget tabs_;
    PageView* view_ = new PageView(page_, prompts_);
};

TEST_F(DiagPageViewTest, PermitLastsUntilAnotherTabIsShownAndPicksAndTypingReachThePage) {
    ExpectEveryControlBound(*view_);
    tabs_.addTab(view_, QStringLiteral("Diag, Pwds and Alerts"));
    tabs_.addTab(new QWidget, QStringLiteral("Pseudo Manual"));
    tabs_.show();
    auto* set = Control<QPushButton>(kSetDiagnostics);
    auto* permit = Control<QPushButton>(kToggleDiagChanges);
    auto* onTime = Control<QLineEdit>(kRaiseLowerOnTime);
    ASSERT_TRUE(set && permit && onTime);
    EXPECT_FALSE(set->isVisible());
    EXPECT_TRUE(onTime->isReadOnly());

    StoreSlot(10, 67) = 410;
    QTest::mouseClick(permit, Qt::LeftButton);
    EXPECT_TRUE(set->isVisible());
    EXPECT_FALSE(onTime->isReadOnly());
    EXPECT_EQ(permit->text(), QStringLiteral("Prevent <DIAG> Changes"));

    tabs_.setCurrentIndex(1);  // the user shows another page
    EXPECT_FALSE(page_.DiagChangesPermitted());
    tabs_.setCurrentIndex(0);
    EXPECT_FALSE(set->isVisible());
    EXPECT_TRUE(onTime->isReadOnly());
    EXPECT_FALSE(Control<QComboBox>(kTapInType)->isEnabled());
    EXPECT_EQ(permit->text(), QStringLiteral("Permit <DIAG> Changes"));

    // Hidden only with its window (minimised, say), the page stays as the user left it.
    QTest::mouseClick(permit, Qt::LeftButton);
    auto* neutral = Control<QComboBox>(kNeutralIn);
    ASSERT_NE(neutral, nullptr);
    neutral->setFocus();
    QTest::keyClick(neutral, Qt::Key_End);  // "None"
    EXPECT_EQ(StoreSlot(10, 188), 2);
    EXPECT_EQ(prompts_.Captions(), (std::vector<std::string>{"Config"}));
    tabs_.hide();
    EXPECT_TRUE(page_.DiagChangesPermitted());

    auto* password = Control<QLineEdit>(kFirstLevelPassword + 2);
    ASSERT_NE(password, nullptr);
    EXPECT_TRUE(password->toolTip().isEmpty());
    tabs_.show();
    password->setFocus();
    QTest::keyClicks(password, QStringLiteral("ab"));
    EXPECT_EQ(password->toolTip(), QString::fromLatin1(kPasswordToolTip));
}

// The page in the main window at its narrowest and widest, filled from the simulated panel.
TEST(DiagPageInTheWindow, FitsTheTabAndShowsEveryGroupReadably) {
    ResetProcessState();
    PrivatePortsFolder ports;
    PrivateWorkingDir cwd;
    sim::PtyPanel panel;
    ASSERT_TRUE(LinkPanel(panel, 4));
    FakeUserPrompts prompts;
    CRegToolDlg window(prompts);
    MainWindowView view(window, prompts);
    view.show();
    window.SetUpTabs(false);
    QCoreApplication::processEvents();
    auto* page = qobject_cast<PageView*>(view.Tabs()->widget(4));
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(&page->PageBehaviour(), &window.DiagPwdsAlerts());
    view.Tabs()->setCurrentIndex(4);
    auto click = [page](int id) {
        QTest::mouseClick(qobject_cast<QPushButton*>(page->Binder().Widget(id)), Qt::LeftButton);
    };
    click(kGetDiagAndPwds);
    click(kGetActiveAlerts);
    EXPECT_TRUE(prompts.Boxes().empty());
    auto* serial = qobject_cast<QLineEdit*>(page->Binder().Widget(kSerialNumber));
    EXPECT_EQ(serial->text(), QStringLiteral("1207345"));
    auto* lowCurrent = qobject_cast<ColourEdit*>(page->Binder().Widget(kStatusFields[0]));
    ASSERT_NE(lowCurrent, nullptr);
    EXPECT_EQ(lowCurrent->text(), QStringLiteral("ACTIVE"));
    EXPECT_EQ(lowCurrent->BackgroundColour(), QColor(255, 0, 0));
    EXPECT_TRUE(lowCurrent->isReadOnly());

    for (int width : {800, 968}) {
        view.resize(width, 845);
        QCoreApplication::processEvents();
        SCOPED_TRACE(width);
        EXPECT_LE(page->minimumSizeHint().width(), page->width());
        // The page makes the window's contents no taller than the height they open with.
        QWidget* contents = view.findChild<QScrollArea*>()->widget();
        EXPECT_LE(contents->minimumSizeHint().height(), contents->minimumHeight());
        for (QLabel* label : page->findChildren<QLabel*>()) {
            if (label->isVisible()) {
                EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
            }
        }
        for (QLineEdit* edit : page->findChildren<QLineEdit*>()) {
            if (edit->isVisible() && !edit->text().isEmpty()) {
                const int needed = edit->fontMetrics().horizontalAdvance(edit->text());
                EXPECT_GT(edit->width(), needed) << edit->objectName().toStdString();
            }
        }
        EXPECT_TRUE(SaveScreenshot(view, QStringLiteral("diag_pwds_alerts_%1.png").arg(width)));
    }
    CloseCommPort();
    ResetProcessState();
}

}  // namespace
