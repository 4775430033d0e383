#include "pages/kit/panel_action.h"

#include "pages/kit/app_flags.h"
#include "protocol/requests.h"

namespace {
int g_actionDepth = 0;
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

void ReadRecord::ReadUnlessStoreOnly(const std::function<void()>& read) {
    if (Flags().storeOnly) {
        complete_ = true;
        return;
    }
    Read(read);
}

bool EveryReplyCame(const std::function<void()>& read) {
    const uint64_t before = RequestTotals().incompleteReplies;
    read();
    return RequestTotals().incompleteReplies == before;
}

void ReadRecord::Read(const std::function<void()>& read) {
    complete_ = EveryReplyCame(read);
}

bool AcceptIncompleteData(UserPrompts& prompts, const ReadRecord& read) {
    return read.Complete() || AskYesNo(prompts, kIncompleteDataText, kIncompleteDataCaption);
}

SetOutcome ConfirmAndWrite(UserPrompts& prompts, const std::string& question,
                           const ReadRecord& read, const std::function<void()>& write) {
    if (Flags().storeOnly) {
        return SetOutcome::kStoreOnly;
    }
    if (!RequireConnected(prompts)) {
        return SetOutcome::kNotConnected;
    }
    if (!AcceptIncompleteData(prompts, read)) {
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
                           const ReadRecord& read, const RegisterBlock* table, int blocks) {
    return ConfirmAndWrite(prompts, question, read, [&] { WriteBlockTable(table, blocks); });
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
