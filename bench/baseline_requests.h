#pragma once
// A request loop written the straightforward way, as the yardstick for ours: after writing a
// frame it pauses 100 ms for the transmitter, and it polls the receive buffer every 10 ms
// for each reply byte. Same frames, same value positions, same serial link.
#include <cstdint>

namespace bench {

struct BaselineReply {
    bool complete = false;
    int bytesReceived = 0;
};

BaselineReply BaselineReadRegisters(uint8_t bank, uint8_t start, uint8_t count, int32_t* values);

}  // namespace bench
