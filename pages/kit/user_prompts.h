#pragma once
// Everything the user is told or asked goes through this interface, so the behaviour classes
// run without a window system and tests can answer the boxes.
#include <optional>
#include <string>

enum class PromptButtons { kOk, kYesNo, kYesNoCancel };
enum class PromptIcon { kNone, kInformation, kQuestion, kWarning, kStop };
enum class PromptAnswer { kOk, kYes, kNo, kCancel };

struct MessageBoxRequest {
    std::string text;
    std::string caption;
    PromptButtons buttons = PromptButtons::kOk;
    PromptIcon icon = PromptIcon::kNone;
    PromptAnswer defaultButton = PromptAnswer::kOk;
    std::string detail;  // shown on request under the text, e.g. why a port did not open
};

// A file dialog. `filter` is written as "KZ0 FILE (*.kz0)|*.kz0||": description, pattern, and
// an empty pair at the end.
struct FileDialogRequest {
    std::string title;
    std::string defaultName;  // the name proposed by a save dialog
    std::string extension;    // added to a typed name that has none, without the dot
    std::string filter;
};

class UserPrompts {
  public:
    virtual ~UserPrompts() = default;

    virtual PromptAnswer MessageBox(const MessageBoxRequest& request) = 0;

    // Counted: every Begin is matched by one End.
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;

    // The one progress window of a long download.
    virtual void CreateProgress(const std::string& title, bool smooth) = 0;
    virtual void SetProgressRange(int lower, int upper, int step) = 0;
    // Advances the bar by `times` steps.
    virtual void StepProgress(int times) = 0;
    virtual void SetProgressText(const std::string& text) = 0;
    virtual void DestroyProgress() = 0;
    // The user pressed the progress window's Cancel (or Esc) since it was created. Only work
    // shown under a progress window can be cancelled; without a window, never.
    virtual bool ProgressCancelled() const { return false; }

    // Opens a document or a web address with the desktop's default handler.
    virtual void OpenDocument(const std::string& pathOrUrl) = 0;

    // The chosen file's path, nullopt when the user cancelled. A save dialog asks no
    // overwrite question.
    virtual std::optional<std::string> SaveFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> OpenFileName(const FileDialogRequest& request) = 0;
};

// Shorthands for the two kinds of box every page shows.
inline PromptAnswer ShowOk(UserPrompts& prompts, const std::string& text,
                           const std::string& caption, PromptIcon icon = PromptIcon::kNone,
                           const std::string& detail = {}) {
    return prompts.MessageBox({text, caption, PromptButtons::kOk, icon, PromptAnswer::kOk, detail});
}

// Yes/No with the question icon and No as the default button.
inline bool AskYesNo(UserPrompts& prompts, const std::string& text, const std::string& caption) {
    return prompts.MessageBox({text,
                               caption,
                               PromptButtons::kYesNo,
                               PromptIcon::kQuestion,
                               PromptAnswer::kNo,
                               {}}) == PromptAnswer::kYes;
}

// Holds the wait cursor for a scope.
class WaitCursor {
  public:
    explicit WaitCursor(UserPrompts& prompts) : prompts_(prompts) { prompts_.BeginWaitCursor(); }
    ~WaitCursor() { prompts_.EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    UserPrompts& prompts_;
};
