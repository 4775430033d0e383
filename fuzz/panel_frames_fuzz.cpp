// The simulated panel reads any byte stream without fault, and what it answers is a frame.
#include <cstddef>
#include <cstdint>

#include "sim/panel_protocol.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    sim::PanelProtocol protocol(size > 0 && (data[0] & 1) ? 7 : -1);
    sim::PanelRegisters registers;
    for (size_t i = 0; i < size; ++i) {
        for (const sim::Request& request : protocol.Feed(data[i])) {
            std::vector<uint8_t> reply = sim::Answer(request, registers);
            if (reply.size() > 42)
                __builtin_trap();
        }
    }
    return 0;
}
