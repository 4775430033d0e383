#include "app/view/qt_user_prompts.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

PromptAnswer QtUserPrompts::MessageBox(const MessageBoxRequest& request) {
    QMessageBox box(owner_);
    box.setText(QString::fromStdString(request.text));
    box.setWindowTitle(QString::fromStdString(request.caption));
    if (!request.detail.empty()) {
        box.setDetailedText(QString::fromStdString(request.detail));
    }
    switch (request.icon) {
        case PromptIcon::kNone:
            break;
        case PromptIcon::kInformation:
            box.setIcon(QMessageBox::Information);
            break;
        case PromptIcon::kQuestion:
            box.setIcon(QMessageBox::Question);
            break;
        case PromptIcon::kWarning:
            box.setIcon(QMessageBox::Warning);
            break;
        case PromptIcon::kStop:
            box.setIcon(QMessageBox::Critical);
            break;
    }
    if (request.buttons == PromptButtons::kYesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(request.defaultButton == PromptAnswer::kYes ? QMessageBox::Yes
                                                                         : QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    // A box must be answerable with the normal arrow, even inside a wait.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    int result = box.exec();
    QApplication::restoreOverrideCursor();
    if (request.buttons == PromptButtons::kOk) {
        return PromptAnswer::kOk;
    }
    return result == QMessageBox::Yes ? PromptAnswer::kYes : PromptAnswer::kNo;
}

void QtUserPrompts::BeginWaitCursor() {
    ++waitDepth_;
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtUserPrompts::EndWaitCursor() {
    if (waitDepth_ > 0) {
        --waitDepth_;
        QApplication::restoreOverrideCursor();
    }
}

void QtUserPrompts::CreateProgress(const std::string& title, bool smooth) {
    DestroyProgress();
    progress_ = new ProgressWindow(owner_);
    progress_->setAttribute(Qt::WA_DeleteOnClose);
    progress_->Create(QString::fromStdString(title), smooth);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtUserPrompts::SetProgressRange(int lower, int upper, int step) {
    if (progress_) {
        progress_->SetRange(lower, upper, step);
    }
}

void QtUserPrompts::StepProgress(int times) {
    if (progress_) {
        progress_->SetPos(progress_->Position() + times * progress_->Step());
        // The user-interface thread is busy with the panel; let the bar repaint.
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

void QtUserPrompts::SetProgressText(const std::string& text) {
    if (progress_) {
        progress_->SetText(QString::fromStdString(text));
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

void QtUserPrompts::DestroyProgress() {
    if (progress_) {
        progress_->Destroy();
        progress_ = nullptr;
    }
}

void QtUserPrompts::OpenDocument(const std::string& pathOrUrl) {
    QString target = QString::fromStdString(pathOrUrl);
    QUrl url = target.contains(QStringLiteral("://")) ? QUrl(target) : QUrl::fromLocalFile(target);
    QDesktopServices::openUrl(url);  // a missing document simply does not open
}
