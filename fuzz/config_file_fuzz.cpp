// Whatever a .kz0 file holds, reading it stays inside the text and either finds 152 values or
// says which line is wrong; a file that reads back is written back the same.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/configuration_file.h"
#include "pages/kit/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string problem;
    const auto values = ParseConfigurationFile(text, &problem);
    if (!values) {
        if (problem.empty())
            __builtin_trap();
        return 0;
    }
    if (values->size() != kConfigFileValues)
        __builtin_trap();
    StoreConfigurationValues(*values);
    // Same values, same positions: the file the tool writes from them reads back to them.
    const auto again = ParseConfigurationFile(WithCrLf(FormatConfigurationFile()), nullptr);
    if (!again || *again != *values)
        __builtin_trap();
    return 0;
}
