#include "protocol/value_store.h"

#include <gtest/gtest.h>

namespace {

class ValueStore : public ::testing::Test {
  protected:
    void SetUp() override { ResetValueStore(); }
    void TearDown() override { ResetValueStore(); }
};

TEST_F(ValueStore, EachRegisterHasItsOwnSlot) {
    StoreSlot(10, 67) = 410;
    StoreSlot(11, 67) = 7;
    StoreSlot(10, 68) = 9;
    EXPECT_EQ(StoreSlot(10, 67), 410);
    EXPECT_EQ(StoreSlot(11, 67), 7);
    EXPECT_EQ(StoreSlot(10, 68), 9);
    EXPECT_EQ(StoreSlots(10, 67), &StoreSlot(10, 67));
    EXPECT_EQ(StoreSlots(10, 67) + 1, &StoreSlot(10, 68));
    EXPECT_EQ(StoreSlot(15, 255), 0);
    EXPECT_EQ(StoreSlot(0, 0), 0);
}

TEST_F(ValueStore, ResetClearsEverySlot) {
    StoreSlot(0, 0) = 1;
    StoreSlot(15, 255) = -1;
    StoreSlots(8, 71)[14] = 65535;
    ResetValueStore();
    for (unsigned bank = 0; bank < kBankCount; ++bank) {
        for (unsigned reg = 0; reg < kRegistersPerBank; ++reg) {
            ASSERT_EQ(StoreSlot(bank, reg), 0) << bank << "/" << reg;
        }
    }
}

TEST_F(ValueStore, RegistersOutsideTheStoreReadZeroAndTouchNoRealSlot) {
    StoreSlot(15, 255) = 11;
    StoreSlot(0, 0) = 22;
    StoreSlot(16, 0) = 99;
    StoreSlot(3, 256) = 98;
    StoreSlots(200, 5)[14] = 97;
    EXPECT_EQ(StoreSlot(15, 255), 11);
    EXPECT_EQ(StoreSlot(0, 0), 22);
    EXPECT_EQ(StoreSlot(16, 0), 0);
    EXPECT_EQ(StoreSlots(3, 1000)[0], 0);
    EXPECT_NE(StoreSlots(16, 0), StoreSlots(0, 0));
    EXPECT_NE(&StoreSlot(4, 0), &StoreSlot(3, 256));
}

}  // namespace
