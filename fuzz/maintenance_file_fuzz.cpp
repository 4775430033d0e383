// Whatever bytes a chosen .mn0 file holds, the reader never reads past them, and what it takes
// is twelve register values that the writer puts back into a file read the same way.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "pages/data/maintenance_file.h"
#include "pages/kit/text_file.h"
#include "protocol/block_tables.h"
#include "protocol/value_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto values = ParseMaintenanceFile(text);
    if (!values) {
        return 0;
    }
    for (int32_t v : *values) {
        if (v < 0 || v > 0xFFFF)
            __builtin_trap();
    }
    std::copy(values->begin(), values->end(), StoreSlots(10, kMaintenanceFirstRegister));
    const std::string again =
        WithCrLf(BlockFileText(kMaintenanceFileHeader, kMaintenanceCountersBlock, 1));
    if (ParseMaintenanceFile(again) != values)
        __builtin_trap();
    return 0;
}
