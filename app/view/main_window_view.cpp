#include "app/view/main_window_view.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>

#include "app/view/about_box.h"
#include "app/view/compare_window.h"
#include "app/view/form_binder.h"
#include "app/view/frame_log_window.h"
#include "app/view/page_view.h"
#include "resources/ids/main_window.h"
#include "ui_main_window.h"
#include "widgets/colour_edit.h"
#include "widgets/ib_tab_ctrl.h"

MainWindowView::MainWindowView(CRegToolDlg& behaviour, UserPrompts& prompts, QWidget* parent)
    : QMainWindow(parent), behaviour_(behaviour), prompts_(prompts) {
    setWindowTitle(QString::fromLatin1(kMainWindowCaption));
    setWindowIcon(QIcon(QStringLiteral(":/voltscope.xpm")));
    setMinimumSize(kMinWindowWidth, kMinWindowHeight);
    setMaximumSize(kMaxWindowWidth, kMaxWindowHeight);

    contents_ = new QWidget;
    Ui::MainWindowForm ui;
    ui.setupUi(contents_);
    tabs_ = ui.IDC_TAB_CONTROL;
    indicator_ = ui.IDC_INDICATOR;
    connect_ = ui.IDC_CONNECT;

    scroll_ = new QScrollArea(this);
    scroll_->setWidgetResizable(true);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidget(contents_);
    setCentralWidget(scroll_);
    BuildMenu();
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("IDC_STATUS_LINE"));
    statusBar()->addWidget(status_, 1);

    binder_ = new FormBinder(
        behaviour_.Form(), this,
        {{ids::window::kConnectionGroup, "IDC_CONNECTION_GROUP"},
         {ids::window::kCommPort, "IDC_COMM_PORT"},
         {ids::window::kBaud, "IDC_BAUD"},
         {ids::window::kParity, "IDC_PARITY"},
         {ids::window::kAddressMode, "IDC_DATA_PORT_ADDR"},
         {ids::window::kCommAddress, "IDC_COMM_ADDR"},
         {ids::window::kConnect, "IDC_CONNECT"},
         {ids::window::kIndicator, "IDC_INDICATOR"},
         {ids::window::kHiddenExit, "IDC_EXIT"},
         {ids::window::kRegId, "IDC_REG_ID"},
         {ids::window::kStatusLine, "IDC_STATUS_LINE"}},
        [this](int id) { behaviour_.OnSelectionChanged(id); },
        [this](int id) { behaviour_.RunPanelAction([this, id] { behaviour_.OnCommand(id); }); });
    behaviour_.SetTabsListener([this] { RebuildTabs(); });
    behaviour_.SetComparisonListener(
        [this](const SettingsComparison& comparison) { ShowComparison(comparison); });
    binder_->Refresh();

    resize(kMaxWindowWidth, kMaxWindowHeight);
    // The contents keep the height the window opened with; a smaller window scrolls over them.
    initialHeight_ = kMaxWindowHeight - menuBar()->sizeHint().height();
    contents_->setMinimumHeight(initialHeight_);
}

MainWindowView::~MainWindowView() {
    behaviour_.SetTabsListener(nullptr);
    behaviour_.SetComparisonListener(nullptr);
    tabs_->RemoveAllPages();
}

QWidget* MainWindowView::Control(int id) const {
    return binder_->Widget(id);
}

void MainWindowView::BuildMenu() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    auto add = [this](QMenu* menu, const char* text, int id) {
        QAction* action = menu->addAction(QString::fromUtf8(text));
        action->setObjectName(QStringLiteral("menu%1").arg(id));
        connect(action, &QAction::triggered, this, [this, id] {
            behaviour_.RunPanelAction([this, id] { behaviour_.OnCommand(id); });
        });
    };
    add(file, "&Save Config File", ids::menu::kSaveConfig);
    add(file, "&Open Config file", ids::menu::kOpenConfig);
    add(file, "Cl&ose Config File /Tabs ", ids::menu::kCloseTabs);
    add(file, "&Create Report", ids::menu::kCreateReport);
    add(file, "Co&mpare With Config File…", ids::menu::kCompareWithConfig);
    add(file, "E&xit", ids::menu::kExit);
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    QAction* frames = help->addAction(QString::fromLatin1(kFrameLogCaption));
    frames->setObjectName(QStringLiteral("menu%1").arg(ids::menu::kFrameLog));
    connect(frames, &QAction::triggered, this, &MainWindowView::ShowFrameLog);
    QAction* about = help->addAction(QStringLiteral("About VoltScope 5.0"));
    about->setObjectName(QStringLiteral("menu%1").arg(ids::menu::kAbout));
    connect(about, &QAction::triggered, this, &MainWindowView::ShowAbout);
}

void MainWindowView::ShowAbout() {
    AboutBox box(prompts_, this);
    box.exec();
}

FrameLogWindow* MainWindowView::ShowFrameLog() {
    if (frameLog_ == nullptr) {
        return nullptr;
    }
    if (frameLogWindow_ == nullptr) {
        frameLogWindow_ = new FrameLogWindow(*frameLog_, prompts_, this);
    }
    frameLogWindow_->show();
    frameLogWindow_->raise();
    frameLogWindow_->activateWindow();
    return frameLogWindow_;
}

CompareWindow* MainWindowView::ShowComparison(const SettingsComparison& comparison) {
    if (compareWindow_ == nullptr) {
        compareWindow_ = new CompareWindow(prompts_, this);
    }
    compareWindow_->Show(comparison);
    compareWindow_->show();
    compareWindow_->raise();
    compareWindow_->activateWindow();
    return compareWindow_;
}

void MainWindowView::RebuildTabs() {
    const auto& pages = behaviour_.Tabs();
    if (pages.empty()) {
        tabs_->RemoveAllPages();
        return;
    }
    if (tabs_->PageCount() == static_cast<int>(pages.size())) {
        return;
    }
    tabs_->RemoveAllPages();
    for (Page* page : pages) {
        tabs_->AddPage(QString::fromStdString(page->Caption()),
                       new PageView(*page, prompts_, [this](const std::function<void()>& action) {
                           behaviour_.RunPanelAction(action);
                       }));
    }
    tabs_->ShowPage(0);
}

void MainWindowView::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    QWidget* focus = QApplication::focusWidget();
    if (enter && connect_->isEnabled() && (focus == nullptr || !tabs_->isAncestorOf(focus))) {
        connect_->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindowView::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    ScrollState s = ScrollAfterResize(initialHeight_, scroll_->viewport()->height());
    QScrollBar* bar = scroll_->verticalScrollBar();
    bar->setSingleStep(s.range / 100 > 0 ? s.range / 100 : 1);
    bar->setPageStep(s.page > 0 ? s.page : 1);
    bar->setValue(s.position);
}
