// Logs of any length on the simulated panel: served one record per read, oldest first, every
// cause code and every tap position among them.
#include "sim/log_records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>

namespace {

std::uint32_t Stamp(const sim::PanelRegisters& r, unsigned dateRegister) {
    return (static_cast<std::uint32_t>(r.Get(11, dateRegister)) << 16) |
           r.Get(11, dateRegister + 1);
}

bool TapWord(std::uint16_t w) {
    return w <= 16 || w >= 65520;
}

TEST(PanelLogs, FilledLogsHoldEveryCauseAndTapInTimeOrder) {
    sim::PanelRegisters regs;
    regs.LoadDefaults();
    sim::FillLogs(regs, 300, 200);
    EXPECT_EQ(regs.Get(11, 4), 300);
    EXPECT_EQ(regs.Get(11, 0), 200);
    const std::uint32_t clock =
        (static_cast<std::uint32_t>(regs.Get(10, 17)) << 16) | regs.Get(10, 16);

    regs.Write(11, 5, {0xC001});
    std::set<std::uint16_t> causes, taps;
    std::uint32_t last = 0;
    for (unsigned k = 1; k <= 300; ++k) {
        regs.PrepareRead(11, 7);
        EXPECT_EQ(regs.Get(11, 7), k);
        EXPECT_GT(Stamp(regs, 8), last) << k;
        last = Stamp(regs, 8);
        causes.insert(regs.Get(11, 10));
        taps.insert(regs.Get(11, 17));
        EXPECT_NEAR(regs.Get(11, 11), 1200, 30) << k;  // load voltage, tenths
        EXPECT_NEAR(regs.Get(11, 18), 1200, 50) << k;  // source voltage
    }
    EXPECT_LT(last, clock);
    EXPECT_EQ(causes.size(), 47u);
    EXPECT_EQ(*causes.rbegin(), 46);
    EXPECT_EQ(taps.size(), 33u);
    EXPECT_TRUE(std::all_of(taps.begin(), taps.end(), TapWord));
    regs.PrepareRead(11, 7);
    EXPECT_EQ(regs.Get(11, 7), 0);  // past the last record

    regs.Write(11, 41, {0xC001});
    taps.clear();
    last = 0;
    std::uint32_t lastOps = 0;
    for (unsigned j = 1; j <= 200; ++j) {
        regs.PrepareRead(11, 42);
        EXPECT_EQ(regs.Get(11, 42), j);
        EXPECT_GT(Stamp(regs, 43), last) << j;
        last = Stamp(regs, 43);
        EXPECT_GE(regs.Get(11, 46), regs.Get(11, 45));  // VLmax >= VL >= VLmin
        EXPECT_LE(regs.Get(11, 47), regs.Get(11, 45));
        for (unsigned reg = 68; reg <= 70; ++reg) {
            EXPECT_TRUE(TapWord(regs.Get(11, reg))) << j;
            taps.insert(regs.Get(11, reg));
        }
        const std::uint32_t ops =
            (static_cast<std::uint32_t>(regs.Get(11, 71)) << 16) | regs.Get(11, 72);
        EXPECT_GT(ops, lastOps);
        lastOps = ops;
    }
    EXPECT_LE(last, clock);
    EXPECT_EQ(taps.size(), 33u);
}

}  // namespace
