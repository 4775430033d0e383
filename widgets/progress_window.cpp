#include "widgets/progress_window.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStyle>

#include "widgets/progress_geometry.h"

namespace {
constexpr int kTextWidth = 390;
constexpr int kTextLines = 4;
constexpr int kMargin = 10;
const char kSection[] = "Settings";
}  // namespace

ProgressWindow::ProgressWindow(QWidget* owner)
    : QWidget(owner, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setCursor(Qt::BusyCursor);
}

ProgressWindow::~ProgressWindow() {
    qApp->removeEventFilter(this);
}

bool ProgressWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
                Cancel();
                return true;
            }
            [[fallthrough]];
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel: {
            // The work under way owns the rest of the window: only Cancel can be pressed.
            auto* widget = qobject_cast<QWidget*>(watched);
            return widget == nullptr || (widget != this && !isAncestorOf(widget));
        }
        default:
            return false;
    }
}

bool ProgressWindow::Create(const QString& title, bool smooth) {
    title_ = title;
    setWindowTitle(title_);
    setFont(QApplication::font("QMessageBox"));

    text_ = new QLabel(this);
    text_->setTextFormat(Qt::PlainText);
    text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text_->setWordWrap(false);
    bar_ = new QProgressBar(this);
    bar_->setTextVisible(!smooth);
    cancel_ = new QPushButton(QStringLiteral(" Cancel "), this);
    cancel_->setFocusPolicy(Qt::NoFocus);
    connect(cancel_, &QPushButton::clicked, this, &ProgressWindow::Cancel);

    const QFontMetrics metrics(font());
    const int edge = style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    const int textHeight = metrics.height() * kTextLines;
    text_->setGeometry(kMargin, kMargin, kTextWidth, textHeight);
    const int buttonWidth = metrics.horizontalAdvance(QStringLiteral("  Cancel   ")) + 4 * edge;
    const int buttonHeight = metrics.height() + 3 * edge + 6;
    const int buttonTop = kMargin + textHeight + kMargin;
    cancel_->setGeometry(kMargin + kTextWidth - buttonWidth, buttonTop, buttonWidth, buttonHeight);
    bar_->setGeometry(kMargin, buttonTop + edge, kTextWidth - buttonWidth - kMargin,
                      buttonHeight - 2 * edge);
    setFixedSize(kTextWidth + 2 * kMargin, textHeight + buttonHeight + 30);

    QRect screen = QApplication::primaryScreen() != nullptr
                       ? QApplication::primaryScreen()->geometry()
                       : QRect(0, 0, 1024, 768);
    QSettings profile;
    int x = profile.value(QStringLiteral("%1/X").arg(kSection), -1).toInt();
    int y = profile.value(QStringLiteral("%1/Y").arg(kSection), -1).toInt();
    ProgressPlacement place =
        PlaceProgressWindow(rememberPosition_, x, y, screen.width(), screen.height());
    if (place.centre) {
        move(screen.x() + (screen.width() - width()) / 2,
             screen.y() + (screen.height() - height()) / 2);
    } else {
        move(place.x, place.y);
    }
    created_ = true;
    qApp->installEventFilter(this);
    ShowWindow();
    return true;
}

void ProgressWindow::ShowWindow() {
    if (!isVisible()) {
        show();
    }
}

void ProgressWindow::SetRange(int lower, int upper, int step) {
    lower_ = lower;
    upper_ = upper;
    step_ = step;
    if (bar_ != nullptr) {
        bar_->setRange(lower, upper);
    }
}

int ProgressWindow::SetPos(int position) {
    int previous = position_;
    if (!created_) {
        return previous;
    }
    position_ = position;
    ShowWindow();
    int percent = ProgressPercent(lower_, upper_, position);
    if (percent != lastPercent_) {
        lastPercent_ = percent;
        setWindowTitle(QStringLiteral("%1 [%2%]").arg(title_).arg(percent));
    }
    bar_->setValue(position);
    return previous;
}

int ProgressWindow::StepIt() {
    return SetPos(position_ + step_);
}

void ProgressWindow::SetText(const QString& text) {
    if (text_ != nullptr) {
        text_->setText(text.left(511));
    }
}

QString ProgressWindow::Text() const {
    return text_ != nullptr ? text_->text() : QString();
}

void ProgressWindow::SavePosition() {
    if (!rememberPosition_) {
        return;
    }
    QSettings profile;
    profile.setValue(QStringLiteral("%1/X").arg(kSection), frameGeometry().left());
    profile.setValue(QStringLiteral("%1/Y").arg(kSection), frameGeometry().top());
}

void ProgressWindow::Cancel() {
    SavePosition();
    cancelled_ = true;
    hide();
    if (QWidget* main = window()->parentWidget(); main != nullptr) {
        main->activateWindow();
    }
}

void ProgressWindow::Destroy() {
    qApp->removeEventFilter(this);
    if (created_) {
        SavePosition();
        created_ = false;
    }
    close();
}
