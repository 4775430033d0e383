#pragma once
// The pages' behaviour run from a shell. A box goes to stderr as "caption: text"; a Yes/No
// question gets the answer the command line gave (--yes); a file dialog gets the FILE
// argument. A save dialog is answered only while every request so far got its reply: a script
// must never keep a file with zeros standing in for lost replies, so the page then writes
// nothing and the verb exits 4.
#include <optional>
#include <string>
#include <vector>

#include "pages/kit/user_prompts.h"

namespace cli {

inline constexpr int kExitInvalidInput = 5;
inline constexpr int kExitCannotWrite = 6;
inline constexpr int kExitRefused = 7;

class HeadlessPrompts : public UserPrompts {
  public:
    explicit HeadlessPrompts(bool answerYes, std::string fileName = {});
    // The file an open dialog gets, when it is not the save dialog's file.
    void SetOpenFileName(std::string fileName) { openFileName_ = std::move(fileName); }

    PromptAnswer MessageBox(const MessageBoxRequest& request) override;
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void CreateProgress(const std::string&, bool) override {}
    void SetProgressRange(int, int, int) override {}
    void StepProgress(int) override {}
    void SetProgressText(const std::string&) override {}
    void DestroyProgress() override {}
    void OpenDocument(const std::string&) override {}
    std::optional<std::string> SaveFileName(const FileDialogRequest& request) override;
    std::optional<std::string> OpenFileName(const FileDialogRequest& request) override;

    // Every box and question shown, in order.
    const std::vector<MessageBoxRequest>& Boxes() const { return boxes_; }
    bool Showed(const std::string& caption) const;
    // A save dialog was refused because requests had gone without a reply.
    bool RefusedForMissingReplies() const { return refused_; }

  private:
    bool answerYes_;
    std::string fileName_;
    std::optional<std::string> openFileName_;
    std::vector<MessageBoxRequest> boxes_;
    bool refused_ = false;
};

}  // namespace cli
