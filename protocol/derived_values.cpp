#include "protocol/derived_values.h"

#include "protocol/block_tables.h"
#include "protocol/requests.h"
#include "protocol/value_store.h"

int32_t MechanismCode(int32_t value122) {
    if (value122 < 400) {
        return 2;
    }
    if (value122 < 668) {
        return 1;
    }
    if (value122 < 875) {
        return 3;
    }
    return 4;
}

void StoreMechanismCode(int32_t value122) {
    StoreSlot(kMaintenanceBank, kMechanismCodeRegister) = MechanismCode(value122);
}

void ApplyLargestCounter() {
    int32_t& largest = StoreSlot(kMaintenanceBank, kLargestCounterRegister);
    bool held = SlotHeld(kMaintenanceBank, kLargestCounterRegister);
    for (unsigned reg = kLargestCounterRegister + 1; reg <= kLastCounterRegister; ++reg) {
        const int32_t value = StoreSlot(kMaintenanceBank, reg);
        if (value > largest) {
            largest = value;
        }
        held = held && SlotHeld(kMaintenanceBank, reg);
    }
    SetSlotHeld(kMaintenanceBank, kLargestCounterRegister, held);
}

void ReadMaintenanceStatus() {
    ReadBlockTable(kMaintenanceStatusBlock, kMaintenanceStatusReadBlocks);
    // Kept out of the store: only the code derived from it is wanted here.
    int32_t value122 = 0;
    ReadRegisters(kMaintenanceBank, kMechanismSourceRegister, 1, &value122);
    StoreMechanismCode(value122);
    // A code worked out from a current that never came is no code at all.
    SetSlotHeld(kMaintenanceBank, kMechanismCodeRegister,
                SlotHeld(kMaintenanceBank, kMechanismCodeRegister) && LastRequest().completeReply);
}

void ReadMaintenanceCounters() {
    ReadBlockTable(kMaintenanceCountersBlock, kMaintenanceCountersReadBlocks);
    ApplyLargestCounter();
}
