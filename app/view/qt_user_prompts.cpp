#include "app/view/qt_user_prompts.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

namespace {

// "KZ0 FILE (*.kz0)|*.kz0||" -> "KZ0 FILE (*.kz0)": the descriptions already name their
// patterns, as a Qt filter wants them.
QString QtFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (!parts[i].isEmpty()) {
            filters << parts[i];
        }
    }
    return filters.join(QStringLiteral(";;"));
}

std::optional<std::string> RunFileDialog(QWidget* owner, const FileDialogRequest& request,
                                         QFileDialog::AcceptMode mode) {
    QFileDialog dialog(owner, QString::fromStdString(request.title));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    dialog.setNameFilter(QtFilter(request.filter));
    dialog.setDefaultSuffix(QString::fromStdString(request.extension));
    // The tool has always replaced an existing file without asking.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.defaultName.empty()) {
        dialog.selectFile(QString::fromStdString(request.defaultName));
    }
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    QApplication::restoreOverrideCursor();
    if (!accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return QFileInfo(dialog.selectedFiles().front()).absoluteFilePath().toStdString();
}

}  // namespace

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
    switch (request.buttons) {
        case PromptButtons::kOk:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case PromptButtons::kYesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case PromptButtons::kYesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    if (request.buttons != PromptButtons::kOk) {
        box.setDefaultButton(request.defaultButton == PromptAnswer::kYes      ? QMessageBox::Yes
                             : request.defaultButton == PromptAnswer::kCancel ? QMessageBox::Cancel
                                                                              : QMessageBox::No);
    }
    // A box must be answerable with the normal arrow, even inside a wait.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    int result = box.exec();
    QApplication::restoreOverrideCursor();
    if (request.buttons == PromptButtons::kOk) {
        return PromptAnswer::kOk;
    }
    if (result == QMessageBox::Yes) {
        return PromptAnswer::kYes;
    }
    // Closing a Yes/No/Cancel box by its frame or Escape cancels.
    if (result == QMessageBox::Cancel ||
        (request.buttons == PromptButtons::kYesNoCancel && result != QMessageBox::No)) {
        return PromptAnswer::kCancel;
    }
    return PromptAnswer::kNo;
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

bool QtUserPrompts::ProgressCancelled() const {
    return progress_ && progress_->Cancelled();
}

bool QtUserPrompts::ProgressShowing() const {
    return !progress_.isNull();
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

std::optional<std::string> QtUserPrompts::SaveFileName(const FileDialogRequest& request) {
    return RunFileDialog(owner_, request, QFileDialog::AcceptSave);
}

std::optional<std::string> QtUserPrompts::OpenFileName(const FileDialogRequest& request) {
    return RunFileDialog(owner_, request, QFileDialog::AcceptOpen);
}
