#pragma once
// The user prompts of the desktop tool: message boxes, the wait cursor, the progress window
// the file dialogs and the desktop's default handler for documents.
#include <QPointer>
#include <QWidget>

#include "pages/kit/user_prompts.h"
#include "widgets/progress_window.h"

class QtUserPrompts : public UserPrompts {
  public:
    void SetOwner(QWidget* owner) { owner_ = owner; }

    PromptAnswer MessageBox(const MessageBoxRequest& request) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    void CreateProgress(const std::string& title, bool smooth) override;
    void SetProgressRange(int lower, int upper, int step) override;
    void StepProgress(int times) override;
    void SetProgressText(const std::string& text) override;
    void DestroyProgress() override;
    bool ProgressCancelled() const override;
    // A progress window exists (shown, or hidden by its Cancel while the work ends).
    bool ProgressShowing() const;
    void OpenDocument(const std::string& pathOrUrl) override;
    std::optional<std::string> SaveFileName(const FileDialogRequest& request) override;
    std::optional<std::string> OpenFileName(const FileDialogRequest& request) override;

  private:
    QPointer<QWidget> owner_;
    QPointer<ProgressWindow> progress_;
    int waitDepth_ = 0;
};
