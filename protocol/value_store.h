#pragma once
// The value store: one signed 32-bit slot per (bank, register), shared by every block table
// that names the register. Starts at all zeros.
#include <cstdint>

inline constexpr int kBankCount = 16;
inline constexpr int kRegistersPerBank = 256;

int32_t& StoreSlot(unsigned bank, unsigned reg);
// The slots of registers start.. of one bank, in register order.
int32_t* StoreSlots(unsigned bank, unsigned start);
// Back to all zeros (for tests; the tool never clears the store).
void ResetValueStore();
