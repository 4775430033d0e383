#pragma once
// Every register block the pages transfer, as constant tables named after their page group.
// A table is not terminated: callers pass the number of blocks to transfer, given here beside
// each table.
#include <iterator>
#include <span>
#include <string_view>

#include "protocol/register_block.h"

// --- Configuration page ---------------------------------------------------------------------

inline constexpr RegisterBlock kConfigurationBlockTable[] = {
    {10, 120, 1}, {10, 1, 1},  {2, 19, 1},  {10, 153, 1}, {10, 2, 1}, {10, 160, 1},
    {10, 5, 4},   {2, 2, 1},   {10, 9, 1},  {10, 122, 1}, {2, 11, 1}, {10, 64, 1},
    {10, 190, 1}, {10, 30, 5}, {10, 35, 5}, {10, 67, 1},
};
inline constexpr int kConfigurationBlockCount = 16;
inline constexpr int kConfigurationShortReadBlocks = 8;
inline constexpr int kConfigurationReadBlocks = 16;
// The last block, the panel's version word 10/67, is only read.
inline constexpr int kConfigurationWriteBlocks = 15;

inline constexpr RegisterBlock kAdvancedConfigurationBlockTable[] = {
    {10, 3, 1},   {2, 14, 1},   {10, 4, 1},   {10, 121, 1}, {10, 10, 1},  {10, 12, 1},
    {2, 1, 1},    {10, 13, 1},  {10, 62, 2},  {10, 177, 1}, {10, 176, 1}, {10, 203, 2},
    {10, 136, 2}, {10, 205, 1}, {10, 158, 1}, {10, 178, 1}, {10, 191, 1}, {10, 133, 1},
    {10, 207, 1}, {10, 213, 1}, {10, 217, 1}, {10, 214, 1}, {10, 208, 1}, {10, 11, 1},
    {10, 202, 1}, {10, 16, 2},  {10, 0, 1},
};
inline constexpr int kAdvancedConfigurationBlockCount = 27;
inline constexpr int kAdvancedConfigurationReadBlocks = 27;
// The last block, 10/0, is only read.
inline constexpr int kAdvancedConfigurationWriteBlocks = 26;

// --- Regulator and Comm page ----------------------------------------------------------------

inline constexpr RegisterBlock kRegulatorBlockTable[] = {
    {2, 24, 1},   {2, 20, 1}, {2, 25, 1},  {2, 22, 1}, {2, 21, 1},   {2, 12, 1},
    {2, 8, 1},    {2, 13, 1}, {2, 10, 1},  {2, 9, 1},  {10, 156, 1}, {10, 41, 1},
    {10, 154, 2}, {2, 29, 5}, {10, 14, 2}, {2, 36, 2}, {2, 34, 2},   {2, 26, 3},
};
inline constexpr int kRegulatorBlockCount = 18;
inline constexpr int kRegulatorShortReadBlocks = 10;
inline constexpr int kRegulatorReadBlocks = 18;
inline constexpr int kRegulatorWriteBlocks = 18;

// Written register by register by its page, never as a table.
inline constexpr RegisterBlock kCommunicationBlockTable[] = {
    {0, 4, 1},  {2, 40, 1}, {10, 151, 1}, {2, 15, 1},   {10, 127, 1}, {2, 44, 1},   {10, 128, 1},
    {2, 43, 1}, {2, 46, 2}, {10, 152, 1}, {10, 157, 1}, {10, 159, 1}, {10, 201, 1}, {10, 139, 1},
};
inline constexpr int kCommunicationBlockCount = 14;
inline constexpr int kCommunicationReadBlocks = 14;

// --- Diag, Passwords and Alerts page --------------------------------------------------------

// Written block by block by its page. Its last block, 11/199, is also the first block of the
// passwords table: both name the same slot.
inline constexpr RegisterBlock kDiagnosticsBlockTable[] = {
    {9, 53, 6},   {10, 70, 1},  {10, 129, 2}, {10, 218, 1},
    {10, 215, 1}, {10, 180, 2}, {10, 182, 8}, {11, 199, 1},
};
inline constexpr int kDiagnosticsBlockCount = 8;
inline constexpr int kDiagnosticsReadBlocks = 8;
// The configuration file keeps all but the shared 11/199, which the passwords section holds.
inline constexpr int kDiagnosticsFileBlocks = 7;

inline constexpr RegisterBlock kPasswordsBlockTable[] = {
    {11, 199, 1},
    {11, 200, 15},
    {11, 215, 11},
};
inline constexpr int kPasswordsBlockCount = 3;
inline constexpr int kPasswordsReadBlocks = 3;
inline constexpr int kPasswordsWriteBlocks = 3;

inline constexpr RegisterBlock kAlertsBlockTable[] = {
    {10, 85, 14},
    {10, 99, 14},
    {10, 113, 2},
};
inline constexpr int kAlertsBlockCount = 3;
inline constexpr int kAlertsReadBlocks = 3;

// --- Logs and Quick Key page, log download --------------------------------------------------

inline constexpr RegisterBlock kLogSetupBlockTable[] = {
    {11, 1, 1},
    {10, 216, 1},
    {11, 3, 1},
};
inline constexpr int kLogSetupBlockCount = 3;
inline constexpr int kLogSetupReadBlocks = 3;
inline constexpr int kLogSetupWriteBlocks = 3;

inline constexpr RegisterBlock kEventRecordBlock[] = {{11, 7, 12}};
inline constexpr int kEventRecordBlockCount = 1;
inline constexpr int kEventRecordReadBlocks = 1;

inline constexpr RegisterBlock kIntervalRecordBlockTable[] = {
    {11, 42, 11},
    {11, 53, 11},
    {11, 64, 10},
};
inline constexpr int kIntervalRecordBlockCount = 3;
inline constexpr int kIntervalRecordReadBlocks = 3;

inline constexpr RegisterBlock kQuickConfigurationBlock[] = {{10, 161, 15}};
inline constexpr int kQuickConfigurationBlockCount = 1;
inline constexpr int kQuickConfigurationReadBlocks = 1;
inline constexpr int kQuickConfigurationWriteBlocks = 1;

// --- Metering and Counters page -------------------------------------------------------------

inline constexpr RegisterBlock kMeterBlockTable[] = {
    {1, 2, 1},   {1, 4, 1},   {1, 14, 1},  {1, 1, 1},   {1, 11, 1},
    {1, 8, 1},   {1, 10, 1},  {1, 9, 1},   {1, 26, 1},  {8, 180, 1},
    {8, 184, 1}, {8, 188, 1}, {8, 192, 1}, {8, 196, 1}, {8, 200, 1},
};
inline constexpr int kMeterBlockCount = 15;
inline constexpr int kMeterReadBlocks = 15;

inline constexpr RegisterBlock kMinMaxBlockTable[] = {
    {8, 71, 15}, {8, 86, 15}, {8, 101, 15}, {8, 116, 15}, {8, 131, 15}, {8, 146, 15}, {8, 161, 12},
};
inline constexpr int kMinMaxBlockCount = 7;
inline constexpr int kMinMaxReadBlocks = 7;

inline constexpr RegisterBlock kDemandBlockTable[] = {
    {3, 0, 15}, {3, 15, 15}, {3, 30, 10}, {8, 57, 2}, {8, 61, 1}, {8, 64, 2}, {8, 68, 1},
};
inline constexpr int kDemandBlockCount = 7;
inline constexpr int kDemandReadBlocks = 7;

inline constexpr RegisterBlock kCountersBlockTable[] = {
    {9, 3, 2},  {9, 7, 2},  {9, 5, 2},  {9, 9, 1},   {9, 12, 1}, {9, 15, 1},
    {9, 18, 1}, {9, 19, 2}, {9, 23, 2}, {10, 51, 1}, {9, 1, 1},
};
inline constexpr int kCountersBlockCount = 11;
inline constexpr int kCountersReadBlocks = 11;

inline constexpr RegisterBlock kHarmonicsBlockTable[] = {
    {11, 80, 2},   {11, 86, 11},  {11, 97, 11}, {11, 108, 10}, {11, 82, 2},   {11, 121, 11},
    {11, 132, 11}, {11, 143, 10}, {11, 84, 2},  {11, 161, 11}, {11, 172, 11}, {11, 183, 10},
};
inline constexpr int kHarmonicsBlockCount = 12;
inline constexpr int kHarmonicsReadBlocks = 12;

// --- Maintenance page -----------------------------------------------------------------------

// Status, counters, then an empty block that stops any transfer running past the counters.
inline constexpr RegisterBlock kMaintenanceBlocks[] = {
    {10, 209, 4},
    {10, 219, 12},
    {0, 0, 0},
};
inline constexpr const RegisterBlock* kMaintenanceStatusBlock = &kMaintenanceBlocks[0];
inline constexpr const RegisterBlock* kMaintenanceCountersBlock = &kMaintenanceBlocks[1];
inline constexpr int kMaintenanceStatusReadBlocks = 1;
inline constexpr int kMaintenanceStatusWriteBlocks = 1;
inline constexpr int kMaintenanceCountersReadBlocks = 1;
inline constexpr int kMaintenanceCountersWriteBlocks = 1;

static_assert(std::size(kConfigurationBlockTable) == kConfigurationBlockCount);
static_assert(std::size(kAdvancedConfigurationBlockTable) == kAdvancedConfigurationBlockCount);
static_assert(std::size(kRegulatorBlockTable) == kRegulatorBlockCount);
static_assert(std::size(kCommunicationBlockTable) == kCommunicationBlockCount);
static_assert(std::size(kDiagnosticsBlockTable) == kDiagnosticsBlockCount);
static_assert(std::size(kPasswordsBlockTable) == kPasswordsBlockCount);
static_assert(std::size(kAlertsBlockTable) == kAlertsBlockCount);
static_assert(std::size(kLogSetupBlockTable) == kLogSetupBlockCount);
static_assert(std::size(kEventRecordBlock) == kEventRecordBlockCount);
static_assert(std::size(kIntervalRecordBlockTable) == kIntervalRecordBlockCount);
static_assert(std::size(kQuickConfigurationBlock) == kQuickConfigurationBlockCount);
static_assert(std::size(kMeterBlockTable) == kMeterBlockCount);
static_assert(std::size(kMinMaxBlockTable) == kMinMaxBlockCount);
static_assert(std::size(kDemandBlockTable) == kDemandBlockCount);
static_assert(std::size(kCountersBlockTable) == kCountersBlockCount);
static_assert(std::size(kHarmonicsBlockTable) == kHarmonicsBlockCount);

// --- Catalogue ------------------------------------------------------------------------------

// One table as a whole, for tools that go through all of them (e.g. a register dump).
struct BlockTableEntry {
    std::string_view name;
    const RegisterBlock* blocks;
    int blockCount;
};

// Every table in page order; the maintenance status and counters blocks are listed as two
// one-block tables, as they are transferred.
std::span<const BlockTableEntry> AllBlockTables();

// Registers named by the first blockCount blocks of a table (stops at an empty block).
constexpr int RegisterTotal(const RegisterBlock* blocks, int blockCount) {
    int total = 0;
    for (int i = 0; i < blockCount && blocks[i].count != 0; ++i) {
        total += blocks[i].count;
    }
    return total;
}
