#pragma once
// The tables the main window reads on Connect, page by page, as the benchmarks replay them.
#include "protocol/block_tables.h"
#include "protocol/register_block.h"

namespace bench {

struct Table {
    const RegisterBlock* blocks;
    int count;
};

inline constexpr Table kConnectDownload[] = {
    {kConfigurationBlockTable, kConfigurationReadBlocks},
    {kAdvancedConfigurationBlockTable, kAdvancedConfigurationReadBlocks},
    {kRegulatorBlockTable, kRegulatorReadBlocks},
    {kCommunicationBlockTable, kCommunicationReadBlocks},
    {kLogSetupBlockTable, kLogSetupReadBlocks},
    {kDiagnosticsBlockTable, kDiagnosticsReadBlocks},
    {kPasswordsBlockTable, kPasswordsReadBlocks},
};
// The log-count refresh after the log set-up: intervals 11/0, events 11/4.
inline constexpr RegisterBlock kLogCounts[] = {{11, 0, 1}, {11, 4, 1}};

// Calls `read` with every block of the download, in the order Connect reads them.
template <typename Read>
void ForEachConnectBlock(Read&& read) {
    for (const Table& table : kConnectDownload) {
        for (int b = 0; b < table.count && table.blocks[b].count != 0; ++b) {
            read(table.blocks[b]);
        }
        if (table.blocks == kLogSetupBlockTable) {
            for (const RegisterBlock& block : kLogCounts) {
                read(block);
            }
        }
    }
}

}  // namespace bench
