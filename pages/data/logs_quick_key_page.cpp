#include "pages/data/logs_quick_key_page.h"

#include "pages/kit/app_flags.h"
#include "pages/kit/panel_action.h"
#include "pages/page_notes.h"
#include "protocol/block_tables.h"
#include "protocol/requests.h"

namespace {
// Intervals available, then events available, one register per request.
constexpr RegisterBlock kLogCountBlocks[] = {{11, 0, 1}, {11, 4, 1}};
constexpr int kLogCountBlockCount = 2;
}  // namespace

CPPThree::CPPThree()
    : RegisterTablePage("Logs and Quick Key", 107, {454, 383},
                        {
                            {"<LOG SETUP>",
                             kLogSetupBlockTable,
                             kLogSetupBlockCount,
                             kLogSetupReadBlocks,
                             "<LOG> Settings",
                             kLogSetupWriteBlocks,
                             {}},
                            {"<LOGS> Avail", kLogCountBlocks, kLogCountBlockCount, 0, "", 0, {}},
                        },
                        kRegisterTableNote) {}

void CPPThree::RefreshCounts(UserPrompts& prompts) {
    if (!RequireConnected(prompts)) {
        return;
    }
    WaitCursor wait(prompts);
    if (!Flags().storeOnly) {
        ReadBlockTable(kLogCountBlocks, kLogCountBlockCount);
    }
    ShowStore();
}
