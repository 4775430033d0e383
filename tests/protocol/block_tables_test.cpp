#include "protocol/block_tables.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "protocol/frame.h"
#include "protocol/value_store.h"

namespace {

struct Expected {
    std::string_view name;
    int blocks;
    int registers;
};

// Block and register counts the register map states for each table.
constexpr Expected kExpected[] = {
    {"configuration", 16, 27},
    {"advanced configuration", 27, 31},
    {"regulator", 18, 28},
    {"communication", 14, 15},
    {"diagnostics", 8, 22},
    {"passwords", 3, 27},
    {"alerts", 3, 30},
    {"log set-up", 3, 3},
    {"event record", 1, 12},
    {"interval record", 3, 32},
    {"quick configuration", 1, 15},
    {"meter", 15, 15},
    {"min/max", 7, 102},
    {"demand", 7, 46},
    {"counters", 11, 16},
    {"harmonics", 12, 102},
    {"maintenance status", 1, 4},
    {"maintenance counters", 1, 12},
};

bool Covers(const RegisterBlock& block, unsigned bank, unsigned reg) {
    return block.bank == bank && reg >= block.start && reg < block.start + block.count;
}

bool AnyCovers(const RegisterBlock* blocks, int n, unsigned bank, unsigned reg) {
    for (int i = 0; i < n; ++i) {
        if (Covers(blocks[i], bank, reg)) {
            return true;
        }
    }
    return false;
}

TEST(BlockTables, EveryTableHasTheStatedBlocksAndRegisters) {
    const auto tables = AllBlockTables();
    ASSERT_EQ(tables.size(), std::size(kExpected));
    for (size_t i = 0; i < tables.size(); ++i) {
        SCOPED_TRACE(std::string(kExpected[i].name));
        EXPECT_EQ(tables[i].name, kExpected[i].name);
        EXPECT_EQ(tables[i].blockCount, kExpected[i].blocks);
        EXPECT_EQ(RegisterTotal(tables[i].blocks, tables[i].blockCount), kExpected[i].registers);
    }
}

TEST(BlockTables, EveryBlockIsARequestThePanelCanAnswer) {
    for (const auto& table : AllBlockTables()) {
        for (int i = 0; i < table.blockCount; ++i) {
            const RegisterBlock& block = table.blocks[i];
            SCOPED_TRACE(std::string(table.name) + " block " + std::to_string(i));
            EXPECT_LT(block.bank, kBankCount);
            EXPECT_GE(block.count, 1);
            EXPECT_LE(block.count, kMaxRegistersPerRequest);
            EXPECT_LE(block.start + block.count, kRegistersPerBank);
        }
    }
}

TEST(BlockTables, NoTableNamesARegisterTwice) {
    for (const auto& table : AllBlockTables()) {
        std::set<std::pair<int, int>> seen;
        for (int i = 0; i < table.blockCount; ++i) {
            const RegisterBlock& block = table.blocks[i];
            for (int r = block.start; r < block.start + block.count; ++r) {
                EXPECT_TRUE(seen.insert({block.bank, r}).second)
                    << table.name << " names " << int{block.bank} << "/" << r << " twice";
            }
        }
    }
}

TEST(BlockTables, UploadsLeaveOutTheReadOnlyLastBlock) {
    EXPECT_EQ(kConfigurationWriteBlocks, kConfigurationBlockCount - 1);
    EXPECT_TRUE(Covers(kConfigurationBlockTable[kConfigurationBlockCount - 1], 10, 67));
    EXPECT_FALSE(AnyCovers(kConfigurationBlockTable, kConfigurationWriteBlocks, 10, 67));

    EXPECT_EQ(kAdvancedConfigurationWriteBlocks, kAdvancedConfigurationBlockCount - 1);
    EXPECT_TRUE(
        Covers(kAdvancedConfigurationBlockTable[kAdvancedConfigurationBlockCount - 1], 10, 0));
    EXPECT_FALSE(
        AnyCovers(kAdvancedConfigurationBlockTable, kAdvancedConfigurationWriteBlocks, 10, 0));
}

TEST(BlockTables, MaintenanceBlocksAreStatusThenCountersThenAnEmptyBlock) {
    ASSERT_EQ(std::size(kMaintenanceBlocks), 3u);
    EXPECT_EQ(kMaintenanceStatusBlock, &kMaintenanceBlocks[0]);
    EXPECT_EQ(kMaintenanceCountersBlock, &kMaintenanceBlocks[1]);
    EXPECT_TRUE(Covers(*kMaintenanceStatusBlock, 10, 209));
    EXPECT_TRUE(Covers(*kMaintenanceCountersBlock, 10, 230));
    EXPECT_EQ(kMaintenanceBlocks[2].count, 0);
    // A transfer asked for more blocks than there are stops at the empty block.
    EXPECT_EQ(RegisterTotal(kMaintenanceBlocks, 10), 16);
}

class SharedSlots : public ::testing::Test {
  protected:
    void SetUp() override { ResetValueStore(); }
    void TearDown() override { ResetValueStore(); }
};

TEST_F(SharedSlots, DiagnosticsAndPasswordsShareRegister11_199) {
    const RegisterBlock& diag = kDiagnosticsBlockTable[kDiagnosticsBlockCount - 1];
    const RegisterBlock& pwd = kPasswordsBlockTable[0];
    EXPECT_TRUE(Covers(diag, 11, 199));
    EXPECT_TRUE(Covers(pwd, 11, 199));
    ASSERT_EQ(diag.values(), pwd.values());

    // A value that arrives through the diagnostics table is what the passwords table shows.
    diag.values()[0] = 4321;
    EXPECT_EQ(pwd.values()[0], 4321);
}

}  // namespace
