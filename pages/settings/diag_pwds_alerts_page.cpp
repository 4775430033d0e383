#include "pages/settings/diag_pwds_alerts_page.h"

#include "pages/page_notes.h"
#include "protocol/block_tables.h"

namespace {
// Block by block; the checksum results (10/70, 10/129..130) and the shared 11/199 are only read.
const std::vector<RegisterBlock> kDiagnosticsWrites = {
    {9, 53, 6}, {10, 218, 1}, {10, 180, 2}, {10, 215, 1}, {10, 182, 8},
};
}  // namespace

CPPFour::CPPFour()
    : RegisterTablePage("Diag, Pwds and Alerts", 108, {454, 383},
                        {
                            {"<DIAGNOSTICS>", kDiagnosticsBlockTable, kDiagnosticsBlockCount,
                             kDiagnosticsReadBlocks, "<DIAG> Settings", 0, kDiagnosticsWrites},
                            {"<PASSWORDS>",
                             kPasswordsBlockTable,
                             kPasswordsBlockCount,
                             kPasswordsReadBlocks,
                             "<PWDS> Settings",
                             kPasswordsWriteBlocks,
                             {}},
                        },
                        kRegisterTableNote) {}
