#pragma once
// The value store: one signed 32-bit slot per (bank, register), shared by every block table
// that names the register. Starts at all zeros.
#include <cstdint>

inline constexpr int kBankCount = 16;
inline constexpr int kRegistersPerBank = 256;

int32_t& StoreSlot(unsigned bank, unsigned reg);
// The slots of registers start.. of one bank, in register order.
int32_t* StoreSlots(unsigned bank, unsigned start);
// Back to all zeros, nothing held (for tests; the tool never clears the store).
void ResetValueStore();

// Whether a slot holds a value someone gave: the panel in a complete reply, a file, or the user
// (or the tool's own defaults). A slot never read, or whose last read went without a complete
// reply, holds nothing given, and a write of it asks the user first.
bool SlotHeld(unsigned bank, unsigned reg);
void SetSlotHeld(unsigned bank, unsigned reg, bool held);
// The same for `count` slots from `first`, which may lie anywhere: values outside the store
// (a request's scratch values) have no record and are left alone.
void SetSlotsHeld(const int32_t* first, int count, bool held);
// True when every register of the blocks is held.
struct RegisterBlock;
bool BlocksHeld(const RegisterBlock* blocks, int n);

// The word a slot holds, 0..65535.
inline uint16_t Word(int32_t slot) {
    return static_cast<uint16_t>(slot & 0xFFFF);
}
// Words above 32767 are negative.
inline int SignedWord(int32_t slot) {
    return static_cast<int16_t>(Word(slot));
}
// Two registers as one counter, the lower-numbered one holding the low half.
inline int64_t DoubleWord(const int32_t* pair) {
    return int64_t{Word(pair[1])} * 65536 + Word(pair[0]);
}
