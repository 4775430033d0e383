// The reusable widgets offscreen: progress window, tab control, colour edit.
#include <gtest/gtest.h>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTest>

#include "widgets/colour_edit.h"
#include "widgets/ib_tab_ctrl.h"
#include "widgets/progress_geometry.h"
#include "widgets/progress_window.h"

namespace {

void StorePosition(int x, int y) {
    QSettings profile;
    profile.setValue(QStringLiteral("Settings/X"), x);
    profile.setValue(QStringLiteral("Settings/Y"), y);
}

QPoint Centred(const QWidget& w) {
    QRect screen = QApplication::primaryScreen()->geometry();
    return {screen.x() + (screen.width() - w.width()) / 2,
            screen.y() + (screen.height() - w.height()) / 2};
}

TEST(ProgressWindow, RemembersWhereItWasWhenDestroyed) {
    StorePosition(-1, -1);
    {
        ProgressWindow first;
        ASSERT_TRUE(first.Create(QStringLiteral("Progress"), true));
        EXPECT_EQ(first.pos(), Centred(first));
        first.move(31, 47);
        first.Destroy();
    }
    QSettings profile;
    EXPECT_EQ(profile.value(QStringLiteral("Settings/X")).toInt(), 31);
    EXPECT_EQ(profile.value(QStringLiteral("Settings/Y")).toInt(), 47);
    ProgressWindow second;
    second.Create();
    EXPECT_EQ(second.pos(), QPoint(31, 47));
    second.Destroy();
}

TEST(ProgressWindow, OffScreenOrMissingPositionCentres) {
    QRect screen = QApplication::primaryScreen()->geometry();
    for (QPoint stored :
         {QPoint(-1, 20), QPoint(screen.width(), 20), QPoint(20, screen.height())}) {
        StorePosition(stored.x(), stored.y());
        ProgressWindow w;
        w.Create();
        EXPECT_EQ(w.pos(), Centred(w)) << stored.x() << "," << stored.y();
        w.Destroy();
    }
    // Not remembering: centred whatever is stored, and nothing is saved.
    StorePosition(20, 20);
    ProgressWindow w;
    w.SetRememberPosition(false);
    w.Create();
    EXPECT_EQ(w.pos(), Centred(w));
    w.move(5, 5);
    w.Destroy();
    EXPECT_EQ(QSettings().value(QStringLiteral("Settings/X")).toInt(), 20);
}

TEST(ProgressWindow, CaptionShowsThePercentageOnlyWhenItChanges) {
    StorePosition(-1, -1);
    ProgressWindow w;
    w.Create(QStringLiteral("Progress"), true);
    w.SetRange(0, 0, 1);
    w.SetPos(5);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Progress"));  // empty range: 0 per cent
    w.SetRange(0, 20000, 1);
    EXPECT_EQ(w.SetPos(5000), 5);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Progress [25%]"));
    w.setWindowTitle(QStringLiteral("marker"));
    w.SetPos(5001);  // still 25 per cent: the caption is left alone
    EXPECT_EQ(w.windowTitle(), QStringLiteral("marker"));
    EXPECT_EQ(w.StepIt(), 5001);
    EXPECT_EQ(w.Position(), 5002);
    w.SetText(QStringLiteral("Downloading Data From Panel...\n\nPlease Wait."));
    EXPECT_EQ(w.Text(), QStringLiteral("Downloading Data From Panel...\n\nPlease Wait."));
    EXPECT_EQ(w.size().width(), 410);
    w.Destroy();
}

// While the window shows, its Cancel button or Esc pressed anywhere cancels, and no other
// widget takes a click.
TEST(ProgressWindow, CancelOrEscCancelsAndNothingElseTakesAClick) {
    QWidget other;
    other.show();
    for (bool byEsc : {false, true}) {
        ProgressWindow w;
        w.Create();
        auto* cancel = w.findChild<QPushButton*>();
        ASSERT_NE(cancel, nullptr);
        EXPECT_TRUE(cancel->isVisible());
        int clicks = 0;
        QPushButton button(&other);
        button.show();
        QObject::connect(&button, &QPushButton::clicked, [&] { ++clicks; });
        QTest::mouseClick(&button, Qt::LeftButton);
        EXPECT_EQ(clicks, 0);
        EXPECT_FALSE(w.Cancelled());
        if (byEsc) {
            QTest::keyClick(&other, Qt::Key_Escape);
        } else {
            QTest::mouseClick(cancel, Qt::LeftButton);
        }
        EXPECT_TRUE(w.Cancelled()) << byEsc;
        w.Destroy();
        QTest::mouseClick(&button, Qt::LeftButton);
        EXPECT_EQ(clicks, 1);
    }
}

TEST(ProgressGeometry, PercentRoundsHalfUpAndPlacementNeedsAnOnScreenPoint) {
    EXPECT_EQ(ProgressPercent(0, 0, 50), 0);
    EXPECT_EQ(ProgressPercent(0, 200, 1), 1);  // 0.5 rounds up
    EXPECT_EQ(ProgressPercent(0, 300, 1), 0);  // 0.33 rounds down
    EXPECT_EQ(ProgressPercent(100, 300, 200), 50);
    EXPECT_EQ(ProgressPercent(0, 20000, 20000), 100);
    EXPECT_TRUE(PlaceProgressWindow(true, -1, 10, 800, 600).centre);
    EXPECT_TRUE(PlaceProgressWindow(true, 800, 10, 800, 600).centre);
    EXPECT_TRUE(PlaceProgressWindow(false, 10, 10, 800, 600).centre);
    ProgressPlacement p = PlaceProgressWindow(true, 799, 599, 800, 600);
    EXPECT_FALSE(p.centre);
    EXPECT_EQ(p.x, 799);
    EXPECT_EQ(p.y, 599);
}

// Counts the show and hide notifications a page gets.
class NotedPage : public QLabel {
  public:
    int shown = 0;
    int hidden = 0;

  protected:
    void showEvent(QShowEvent* e) override {
        QLabel::showEvent(e);
        ++shown;
    }
    void hideEvent(QHideEvent* e) override {
        QLabel::hideEvent(e);
        ++hidden;
    }
};

TEST(CIbTabCtrl, ShowsOnePageAtATimeAndDestroysRemovedPages) {
    CIbTabCtrl tabs;
    auto* a = new NotedPage;
    auto* b = new NotedPage;
    tabs.AddPage(QStringLiteral("A"), a);
    tabs.AddPage(QStringLiteral("B"), b);
    tabs.show();
    EXPECT_TRUE(a->isVisible());
    EXPECT_FALSE(b->isVisible());
    tabs.ShowPage(1);
    EXPECT_FALSE(a->isVisible());
    EXPECT_TRUE(b->isVisible());
    EXPECT_GE(a->hidden, 1);
    EXPECT_GE(b->shown, 1);
    tabs.ShowPage(7);  // ignored
    EXPECT_EQ(tabs.Current(), 1);

    QPointer<NotedPage> watch(a);
    tabs.RemovePage(5);  // ignored
    EXPECT_EQ(tabs.PageCount(), 2);
    tabs.RemovePage(0);
    EXPECT_TRUE(watch.isNull());
    EXPECT_EQ(tabs.PageCount(), 1);
    EXPECT_EQ(tabs.Current(), 0);
    tabs.RemovePage(0);
    EXPECT_EQ(tabs.PageCount(), 0);
    EXPECT_EQ(tabs.currentWidget(), nullptr);
}

TEST(ColourEdit, PaintsTheChosenBackground) {
    ColourEdit edit;
    EXPECT_TRUE(edit.isReadOnly());
    edit.SetBackgroundColour(QColor(0, 255, 0));
    EXPECT_EQ(edit.BackgroundColour(), QColor(0, 255, 0));
    edit.resize(40, 20);
    QImage image = edit.grab().toImage();
    EXPECT_EQ(QColor(image.pixel(20, 10)), QColor(0, 255, 0));
    edit.SetBackgroundColour(QColor(211, 211, 211));
    image = edit.grab().toImage();
    EXPECT_EQ(QColor(image.pixel(20, 10)), QColor(211, 211, 211));
}

}  // namespace
