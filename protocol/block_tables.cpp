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
