#include "pages/kit/panel_action.h"

#include "pages/kit/app_flags.h"
#include "protocol/requests.h"
#include "protocol/value_store.h"

namespace {
int g_actionDepth = 0;
const CancellableProgress* g_progress = nullptr;
}  // namespace

PanelActionScope::PanelActionScope() {
    ++g_actionDepth;
}

PanelActionScope::~PanelActionScope() {
    --g_actionDepth;
}

bool PanelWorkInProgress() {
    return g_actionDepth > 0 || RequestInProgress();
}

bool RequireConnected(UserPrompts& prompts) {
    if (Flags().connected) {
        return true;
    }
    ShowOk(prompts, kNotConnectedText, kNotConnectedCaption);
    return false;
}

CancellableProgress::CancellableProgress(UserPrompts& prompts, const std::string& title,
                                         const std::string& text, int range)
    : prompts_(prompts), cancelledBefore_(RequestTotals().cancelled), outer_(g_progress) {
    g_progress = this;
    prompts_.CreateProgress(title, true);
    prompts_.SetProgressRange(0, range, 1);
    prompts_.SetProgressText(text);
    SetCancelCheck([&prompts] { return prompts.ProgressCancelled(); });
}

CancellableProgress::~CancellableProgress() {
    g_progress = outer_;
    SetCancelCheck(nullptr);
    prompts_.DestroyProgress();
}

bool CancellableProgress::Cancelled() const {
    return RequestTotals().cancelled != cancelledBefore_;
}

bool WorkCancelled() {
    return g_progress != nullptr && g_progress->Cancelled();
}

bool EveryReplyCame(const std::function<void()>& read) {
    const uint64_t before = RequestTotals().incompleteReplies;
    read();
    return RequestTotals().incompleteReplies == before;
}

void ReadUnlessStoreOnly(const std::function<void()>& read) {
    if (!Flags().storeOnly) {
        read();
    }
}

bool AcceptIncompleteRead(UserPrompts& prompts, bool complete) {
    if (WorkCancelled()) {
        return false;
    }
    return complete || AskYesNo(prompts, kIncompleteDataText, kIncompleteDataCaption);
}

bool AcceptIncompleteData(UserPrompts& prompts, std::span<const RegisterBlock> writes) {
    return AcceptIncompleteRead(prompts,
                                BlocksHeld(writes.data(), static_cast<int>(writes.size())));
}

bool AcceptIncompleteData(UserPrompts& prompts, const RegisterBlock* table, int blocks) {
    return AcceptIncompleteRead(prompts, BlocksHeld(table, blocks));
}

SetOutcome ConfirmAndWrite(UserPrompts& prompts, const std::string& question,
                           std::span<const RegisterBlock> writes,
                           const std::function<void()>& write) {
    if (Flags().storeOnly) {
        return SetOutcome::kStoreOnly;
    }
    if (!RequireConnected(prompts)) {
        return SetOutcome::kNotConnected;
    }
    if (WorkCancelled()) {
        return SetOutcome::kCancelled;
    }
    if (!AcceptIncompleteData(prompts, writes)) {
        return SetOutcome::kKeptEdits;
    }
    WaitCursor wait(prompts);
    if (!AskYesNo(prompts, question, kConfirmCaption)) {
        return SetOutcome::kDeclined;
    }
    write();
    return SetOutcome::kWritten;
}

SetOutcome ConfirmAndWrite(UserPrompts& prompts, const std::string& question,
                           const RegisterBlock* table, int blocks) {
    // Both the check and the write end at the table's first empty block.
    return ConfirmAndWrite(prompts, question, {table, static_cast<std::size_t>(blocks)},
                           [&] { WriteBlockTable(table, blocks); });
}

void ViewImportedData(UserPrompts& prompts, const std::function<void()>& show) {
    if (!Flags().storeOnly) {
        ShowOk(prompts, kNotImportedText, kNotImportedCaption);
        return;
    }
    // Restored rather than cleared, so an open link is never taken for a closed one.
    const bool wasConnected = Flags().connected;
    Flags().connected = true;
    show();
    Flags().connected = wasConnected;
}
