#pragma once
#include <cstdint>

#include "protocol/value_store.h"

// A run of consecutive registers of one bank; count 0 marks an empty block that ends a table.
struct RegisterBlock {
    uint8_t bank;
    uint8_t start;
    uint8_t count;
    int32_t* values() const { return StoreSlots(bank, start); }
};
