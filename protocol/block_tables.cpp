#include "protocol/block_tables.h"

namespace {

constexpr BlockTableEntry kAllTables[] = {
    {"configuration", kConfigurationBlockTable, kConfigurationBlockCount},
    {"advanced configuration", kAdvancedConfigurationBlockTable, kAdvancedConfigurationBlockCount},
    {"regulator", kRegulatorBlockTable, kRegulatorBlockCount},
    {"communication", kCommunicationBlockTable, kCommunicationBlockCount},
    {"diagnostics", kDiagnosticsBlockTable, kDiagnosticsBlockCount},
    {"passwords", kPasswordsBlockTable, kPasswordsBlockCount},
    {"alerts", kAlertsBlockTable, kAlertsBlockCount},
    {"log set-up", kLogSetupBlockTable, kLogSetupBlockCount},
    {"event record", kEventRecordBlock, kEventRecordBlockCount},
    {"interval record", kIntervalRecordBlockTable, kIntervalRecordBlockCount},
    {"quick configuration", kQuickConfigurationBlock, kQuickConfigurationBlockCount},
    {"meter", kMeterBlockTable, kMeterBlockCount},
    {"min/max", kMinMaxBlockTable, kMinMaxBlockCount},
    {"demand", kDemandBlockTable, kDemandBlockCount},
    {"counters", kCountersBlockTable, kCountersBlockCount},
    {"harmonics", kHarmonicsBlockTable, kHarmonicsBlockCount},
    {"maintenance status", kMaintenanceStatusBlock, kMaintenanceStatusReadBlocks},
    {"maintenance counters", kMaintenanceCountersBlock, kMaintenanceCountersReadBlocks},
};

}  // namespace

std::span<const BlockTableEntry> AllBlockTables() {
    return kAllTables;
}

int RegisterTotal(const RegisterBlock* blocks, int blockCount) {
    int total = 0;
    for (int i = 0; i < blockCount && blocks[i].count != 0; ++i) {
        total += blocks[i].count;
    }
    return total;
}
