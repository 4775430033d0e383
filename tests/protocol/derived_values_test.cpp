#include "protocol/derived_values.h"

#include <gtest/gtest.h>

#include "protocol/value_store.h"

namespace {

TEST(MechanismCode, FollowsTheFullLoadCurrentBands) {
    EXPECT_EQ(MechanismCode(0), 2);
    EXPECT_EQ(MechanismCode(399), 2);
    EXPECT_EQ(MechanismCode(400), 1);
    EXPECT_EQ(MechanismCode(667), 1);
    EXPECT_EQ(MechanismCode(668), 3);
    EXPECT_EQ(MechanismCode(874), 3);
    EXPECT_EQ(MechanismCode(875), 4);
    EXPECT_EQ(MechanismCode(65535), 4);
    EXPECT_EQ(MechanismCode(-1), 2);
}

class DerivedSlots : public ::testing::Test {
  protected:
    void SetUp() override { ResetValueStore(); }
    void TearDown() override { ResetValueStore(); }
};

TEST_F(DerivedSlots, MechanismCodeReplacesWhatThePanelSentFor10_210) {
    StoreSlot(10, 209) = 1;
    StoreSlot(10, 210) = 777;
    StoreSlot(10, 122) = 200;
    StoreMechanismCode(700);
    EXPECT_EQ(StoreSlot(10, 210), 3);
    // Only 10/210 changes: the store's own copy of the current and the neighbours stay.
    EXPECT_EQ(StoreSlot(10, 122), 200);
    EXPECT_EQ(StoreSlot(10, 209), 1);
    EXPECT_EQ(StoreSlot(10, 211), 0);
}

TEST_F(DerivedSlots, LargestCounterTakesTheMaximumOf220To230Only) {
    StoreSlot(10, 219) = 50;
    StoreSlot(10, 220) = 5;
    StoreSlot(10, 221) = 9;
    ApplyLargestCounter();
    EXPECT_EQ(StoreSlot(10, 220), 9);
    EXPECT_EQ(StoreSlot(10, 219), 50);
    EXPECT_EQ(StoreSlot(10, 221), 9);
}

TEST_F(DerivedSlots, LargestCounterReachesTheLastCounterAndNotBeyond) {
    StoreSlot(10, 230) = 12;
    StoreSlot(10, 231) = 1000;
    ApplyLargestCounter();
    EXPECT_EQ(StoreSlot(10, 220), 12);
}

TEST_F(DerivedSlots, LargestCounterComparesSigned) {
    for (unsigned reg = 220; reg <= 230; ++reg) {
        StoreSlot(10, reg) = -10 - static_cast<int32_t>(reg);
    }
    StoreSlot(10, 226) = -3;
    ApplyLargestCounter();
    EXPECT_EQ(StoreSlot(10, 220), -3);
}

}  // namespace
