#include "pages/settings/regulator_comm_page.h"

#include "pages/page_notes.h"
#include "protocol/block_tables.h"

namespace {
// The communication registers are sent one request each. The protocol, baud, parity and
// address registers are left out: the panel takes them only while its link register says so,
// and changing them blindly could cut the panel off its own line.
const std::vector<RegisterBlock> kCommunicationWrites = {
    {2, 15, 1}, {2, 46, 1}, {2, 47, 1}, {10, 152, 1}, {10, 157, 1}, {10, 159, 1}, {10, 201, 1},
};
}  // namespace

CPPOneA::CPPOneA()
    : RegisterTablePage("Regulator and Comm", 109, {446, 345},
                        {
                            {"<REGULATOR>",
                             kRegulatorBlockTable,
                             kRegulatorBlockCount,
                             kRegulatorReadBlocks,
                             "<REG> Settings",
                             kRegulatorWriteBlocks,
                             {}},
                            {"<COMMUNICATIONS>", kCommunicationBlockTable, kCommunicationBlockCount,
                             kCommunicationReadBlocks, "<COMM> Settings", 0, kCommunicationWrites},
                        },
                        kRegisterTableNote) {}
