// Whatever "conset.kzx" holds, reading it stays inside the text and yields only settings the
// connection controls can show, and settings that read back are written back the same.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/connection_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto settings = ParseConnectionSettings(text);
    if (!settings) {
        return 0;
    }
    if (settings->portNumber < 1 || settings->portNumber > 255 || settings->baudIndex < 0 ||
        settings->baudIndex > 5 || settings->parityIndex < 0 || settings->parityIndex > 2 ||
        settings->addressModeIndex < 0 || settings->addressModeIndex > 1)
        __builtin_trap();
    if (ParseConnectionSettings(FormatConnectionSettings(*settings)) != settings)
        __builtin_trap();
    return 0;
}
