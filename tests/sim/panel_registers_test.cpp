// The simulated panel's register contents and its logs.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "sim/panel_protocol.h"
#include "sim/panel_registers.h"
#include "tests/sim/frame_helpers.h"

namespace {

bool PlausibleDate(std::uint16_t v) {
    unsigned month = (v >> 5) & 15, day = v & 31;
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

bool PlausibleTime(std::uint16_t v) {
    return (v >> 11) < 24 && ((v >> 5) & 63) < 60;
}

TEST(PanelDefaults, LookLikeAHealthyPanel) {
    sim::PanelRegisters regs;
    regs.LoadDefaults();
    EXPECT_EQ(regs.Get(10, 67) & 0x3FF, 410);
    EXPECT_NE(regs.Get(11, 239), 0);
    EXPECT_EQ(regs.Get(10, 11), 0);
    EXPECT_TRUE(PlausibleTime(regs.Get(10, 16)));
    EXPECT_TRUE(PlausibleDate(regs.Get(10, 17)));
    EXPECT_GE(((regs.Get(10, 17) >> 9) & 63) + 1990u, 2020u);
    EXPECT_GT(regs.Get(1, 2), 1000);  // load voltage above 100.0 V
    EXPECT_EQ(regs.Get(11, 4), regs.EventCount());
    EXPECT_EQ(regs.Get(11, 0), regs.IntervalCount());
    // The forward min/max records (and power factor, frequency) carry real time stamps,
    // minima below maxima.
    for (unsigned record : {0u, 4u, 8u, 12u, 16u, 18u, 22u, 26u, 30u}) {
        unsigned reg = 71 + 3 * record;
        EXPECT_TRUE(PlausibleDate(regs.Get(8, reg + 1))) << record;
        EXPECT_TRUE(PlausibleTime(regs.Get(8, reg + 2))) << record;
        EXPECT_LT(regs.Get(8, reg), regs.Get(8, reg + 3)) << record;
    }
    EXPECT_EQ(regs.Get(5, 100), 0);  // never set
}

TEST(PanelDefaults, PackingMatchesThePanelClockFormat) {
    EXPECT_EQ(sim::PackDate(2011, 3, 15), 10863);
    EXPECT_EQ(sim::PackTime(13, 5, 9), 26793);
}

TEST(PanelRegisterAccess, VersionChangeKeepsTheSubVersionAndWritesPastTheBankAreIgnored) {
    sim::PanelRegisters regs;
    regs.Set(10, 67, static_cast<std::uint16_t>((5 << 10) | 410));
    regs.SetSoftwareVersion(409);
    EXPECT_EQ(regs.Get(10, 67), (5 << 10) | 409);

    regs.Write(3, 254, {1, 2, 3, 4});
    EXPECT_EQ(regs.Get(3, 254), 1);
    EXPECT_EQ(regs.Get(3, 255), 2);
    EXPECT_EQ(regs.Get(3, 256), 0);
    EXPECT_EQ(regs.Get(4, 0), 0);  // nothing spilled into the next bank
    regs.Set(16, 0, 9);
    EXPECT_EQ(regs.Get(16, 0), 0);
}

// Reads the register block the way the log download does and returns the record's words.
std::vector<unsigned> ReadBlock(sim::PanelRegisters& regs, unsigned bank, unsigned start,
                                unsigned count) {
    sim::PanelProtocol protocol;
    std::vector<sim::Request> got;
    for (std::uint8_t b : simtest::WithChecksum({0x05, static_cast<std::uint8_t>(bank << 4),
                                                 static_cast<std::uint8_t>(start),
                                                 static_cast<std::uint8_t>(count)})) {
        for (auto& r : protocol.Feed(b)) {
            got.push_back(r);
        }
    }
    std::vector<unsigned> values;
    if (got.size() == 1) {
        auto reply = sim::Answer(got[0], regs);
        for (unsigned k = 0; k < count; ++k) {
            values.push_back(simtest::ValueAt(reply, k));
        }
    }
    return values;
}

TEST(PanelLogs, EventRecordsComeOnePerReadAfterTheStartCommand) {
    sim::PanelRegisters regs;
    sim::EventRecord a{}, b{};
    a[0] = 7;
    a[3] = 25;
    a[11] = 1185;
    b[0] = 8;
    b[10] = 0xFFFF;
    regs.AddEventRecord(a);
    regs.AddEventRecord(b);
    EXPECT_EQ(regs.Get(11, 4), 2);

    regs.Write(11, 5, {0xC001});
    auto first = ReadBlock(regs, 11, 7, 12);
    auto second = ReadBlock(regs, 11, 7, 12);
    auto past = ReadBlock(regs, 11, 7, 12);
    ASSERT_EQ(first.size(), 12u);
    EXPECT_EQ(first[0], 7u);
    EXPECT_EQ(first[3], 25u);
    EXPECT_EQ(first[11], 1185u);
    EXPECT_EQ(second[0], 8u);
    EXPECT_EQ(second[10], 0xFFFFu);
    EXPECT_EQ(past, std::vector<unsigned>(12, 0));

    regs.Write(11, 5, {0xC001});
    EXPECT_EQ(ReadBlock(regs, 11, 7, 12)[0], 7u);  // rewound
}

TEST(PanelLogs, AnIntervalRecordIsReadInThreeBlocks) {
    sim::PanelRegisters regs;
    for (std::uint16_t id = 1; id <= 2; ++id) {
        sim::IntervalRecord rec{};
        for (std::size_t i = 0; i < rec.size(); ++i) {
            rec[i] = static_cast<std::uint16_t>(id * 1000 + i);
        }
        regs.AddIntervalRecord(rec);
    }
    regs.Write(11, 41, {0xC001});
    for (unsigned id = 1; id <= 2; ++id) {
        auto part1 = ReadBlock(regs, 11, 42, 11);
        auto part2 = ReadBlock(regs, 11, 53, 11);
        auto part3 = ReadBlock(regs, 11, 64, 10);
        ASSERT_EQ(part3.size(), 10u);
        EXPECT_EQ(part1[0], id * 1000) << id;
        EXPECT_EQ(part2[0], id * 1000 + 11) << id;
        EXPECT_EQ(part3[9], id * 1000 + 31) << id;
    }
    EXPECT_EQ(ReadBlock(regs, 11, 42, 11)[0], 0u);  // the log has ended
}

}  // namespace
