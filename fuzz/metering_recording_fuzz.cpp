// Whatever bytes a chosen recording holds, the reader never reads past them, and the rows it
// takes are written back as a recording that reads as the same rows.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "pages/data/metering_recording.h"
#include "pages/kit/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    namespace rec = metering_recording;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
    const auto rows = rec::ParseRecording(text, &error);
    if (!rows) {
        return 0;
    }
    const auto again = rec::ParseRecording(WithCrLf(rec::RecordingText(*rows)), &error);
    if (!again || *again != *rows)
        __builtin_trap();
    return 0;
}
