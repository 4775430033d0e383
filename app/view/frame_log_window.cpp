#include "app/view/frame_log_window.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

FrameLogWindow::FrameLogWindow(FrameLog& log, UserPrompts& prompts, QWidget* parent)
    : QWidget(parent, Qt::Window), log_(log) {
    setWindowTitle(QString::fromLatin1(kFrameLogCaption));
    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("IDC_FRAME_LOG_TEXT"));
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // The widget drops its oldest line as the log does.
    text_->setMaximumBlockCount(static_cast<int>(FrameLog::kCapacity));
    for (const std::string& line : log_.Lines()) {
        text_->appendPlainText(QString::fromStdString(line));
    }
    KeepAtTheLeft();
    clear_ = new QPushButton(QStringLiteral("Clear"), this);
    clear_->setObjectName(QStringLiteral("IDC_FRAME_LOG_CLEAR"));
    save_ = new QPushButton(QStringLiteral("Save"), this);
    save_->setObjectName(QStringLiteral("IDC_FRAME_LOG_SAVE"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(clear_);
    buttons->addWidget(save_);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_, 1);
    layout->addLayout(buttons);
    resize(760, 440);

    connect(clear_, &QPushButton::clicked, this, [this] {
        log_.Clear();
        text_->clear();
    });
    connect(save_, &QPushButton::clicked, this, [this, &prompts] { SaveFrameLog(prompts, log_); });
    log_.SetListener([this](const std::string& line) {
        text_->appendPlainText(QString::fromStdString(line));
        KeepAtTheLeft();
    });
}

void FrameLogWindow::KeepAtTheLeft() {
    // Appending scrolls to the end of the last line; the times and the requests are at the left.
    text_->horizontalScrollBar()->setValue(text_->horizontalScrollBar()->minimum());
}

FrameLogWindow::~FrameLogWindow() {
    log_.SetListener(nullptr);
}
