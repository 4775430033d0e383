#include "protocol/value_store.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "protocol/frame.h"
#include "protocol/register_block.h"

namespace {

// One flat array, bank-major. The tail of one request's worth of slots lets a block that starts
// near the end of bank 15 run past register 255 without leaving the array; those slots belong
// to no register.
int32_t gSlots[kBankCount * kRegistersPerBank + kMaxRegistersPerRequest];

// Stands in for registers that do not exist. It is cleared on every stray look-up, so a stray
// read sees 0 (what a register without a reply holds) and a stray write reaches no real slot.
int32_t gStray[kMaxRegistersPerRequest];

// Whether each slot of gSlots holds a value given by the panel, a file or the user.
bool gHeld[kBankCount * kRegistersPerBank + kMaxRegistersPerRequest];

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
    std::fill(std::begin(gHeld), std::end(gHeld), false);
}

bool SlotHeld(unsigned bank, unsigned reg) {
    return InRange(bank, reg) && gHeld[bank * kRegistersPerBank + reg];
}

void SetSlotHeld(unsigned bank, unsigned reg, bool held) {
    if (InRange(bank, reg)) {
        gHeld[bank * kRegistersPerBank + reg] = held;
    }
}

void SetSlotsHeld(const int32_t* first, int count, bool held) {
    const auto begin = reinterpret_cast<std::uintptr_t>(std::begin(gSlots));
    const auto end = reinterpret_cast<std::uintptr_t>(std::end(gSlots));
    const auto at = reinterpret_cast<std::uintptr_t>(first);
    if (at < begin || at >= end) {
        return;
    }
    const std::size_t index = first - std::begin(gSlots);
    const std::size_t n = std::min<std::size_t>(std::max(count, 0), std::size(gSlots) - index);
    std::fill_n(gHeld + index, n, held);
}

bool BlocksHeld(const RegisterBlock* blocks, int n) {
    for (int i = 0; i < n && blocks[i].count != 0; ++i) {
        for (unsigned k = 0; k < blocks[i].count; ++k) {
            if (!SlotHeld(blocks[i].bank, blocks[i].start + k)) {
                return false;
            }
        }
    }
    return true;
}
