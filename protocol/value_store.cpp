#include "protocol/value_store.h"

#include <algorithm>
#include <iterator>

#include "protocol/frame.h"

namespace {

// One flat array, bank-major. The tail of one request's worth of slots lets a block that starts
// near the end of bank 15 run past register 255 without leaving the array; those slots belong
// to no register.
int32_t gSlots[kBankCount * kRegistersPerBank + kMaxRegistersPerRequest];

// Stands in for registers that do not exist. It is cleared on every stray look-up, so a stray
// read sees 0 (what a register without a reply holds) and a stray write reaches no real slot.
int32_t gStray[kMaxRegistersPerRequest];

bool InRange(unsigned bank, unsigned reg) {
    return bank < static_cast<unsigned>(kBankCount) &&
           reg < static_cast<unsigned>(kRegistersPerBank);
}

int32_t* Stray() {
    std::fill(std::begin(gStray), std::end(gStray), 0);
    return gStray;
}

}  // namespace

int32_t& StoreSlot(unsigned bank, unsigned reg) {
    if (!InRange(bank, reg)) {
        return *Stray();
    }
    return gSlots[bank * kRegistersPerBank + reg];
}

int32_t* StoreSlots(unsigned bank, unsigned start) {
    if (!InRange(bank, start)) {
        return Stray();
    }
    return &gSlots[bank * kRegistersPerBank + start];
}

void ResetValueStore() {
    std::fill(std::begin(gSlots), std::end(gSlots), 0);
    std::fill(std::begin(gStray), std::end(gStray), 0);
}
