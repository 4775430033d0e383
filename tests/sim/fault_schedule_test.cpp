// The faults a user asks the simulator for on its command line, and what two new ones do to a
// reply.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "sim/fault_schedule.h"
#include "tests/sim/frame_helpers.h"

namespace {

using simtest::Sum;

sim::Request ReadOf(unsigned bank, int address = -1) {
    sim::Request r;
    r.bank = bank;
    r.address = address;
    return r;
}

const std::vector<std::uint8_t> kReply = {0x05, 0xA0, 0x12, 0x34, 0x15};

}  // namespace

TEST(FaultSpecs, NamesAndChancesAreCheckedAsTheUserTypesThem) {
    struct Case {
        const char* spec;
        bool accepted;
    };
    const Case cases[] = {
        {"stray", true},      {"stray:3", true},      {"noise:0.25", true}, {"stale:100", true},
        {"no-echo:20", true}, {"bad-checksum", true}, {"strays:3", false},  {"stray:0", false},
        {"stray:101", false}, {"stray:3.125", false}, {"stray:", false},    {"stray:x", false},
        {":3", false},        {"stray:-1", false},
    };
    for (const Case& c : cases) {
        sim::FaultSchedule schedule;
        EXPECT_EQ(schedule.Add(c.spec).empty(), c.accepted) << c.spec;
    }
    sim::FaultSchedule schedule;
    EXPECT_EQ(schedule.Add("stray:60"), "");
    EXPECT_NE(schedule.Add("noise:40.01"), "") << "together more than 100 %";
    EXPECT_EQ(schedule.Add("noise:40"), "");
}

TEST(FaultSchedule, GivesEachKindItsShareAndTheSameFaultsForTheSameSeed) {
    auto run = [](std::uint32_t seed) {
        sim::FaultSchedule schedule(seed);
        schedule.Add("stray:20");
        schedule.Add("stale:5");
        std::vector<std::string> picked;
        for (int i = 0; i < 4000; ++i) {
            auto fault = schedule.Pick(kReply, ReadOf(10));
            picked.push_back(fault ? sim::Describe(*fault) : "");
        }
        return picked;
    };
    const auto first = run(7);
    EXPECT_EQ(first, run(7));
    EXPECT_NE(first, run(8));
    std::map<std::string, int> kinds;
    for (const std::string& what : first) {
        kinds[what.substr(0, what.find(' '))]++;
    }
    // 20 % and 5 % of 4000, well inside what chance allows.
    EXPECT_GT(kinds["stray"], 650);
    EXPECT_LT(kinds["stray"], 950);
    EXPECT_GT(kinds["the"], 120) << "the previous reply";
    EXPECT_LT(kinds["the"], 290);
    EXPECT_EQ(kinds.size(), 3u) << "no other kind, and no fault for the rest";
}

TEST(FaultSchedule, DrawnDetailsAlwaysSpoilTheReply) {
    for (const char* kind : {"bad-length", "no-echo"}) {
        sim::FaultSchedule schedule(3);
        schedule.Add(kind);
        for (int i = 0; i < 500; ++i) {
            auto fault = schedule.Pick(kReply, ReadOf(10));
            ASSERT_TRUE(fault);
            auto shaped = sim::ApplyFault(*fault, kReply, ReadOf(10), {});
            EXPECT_NE(shaped.bytes, kReply) << kind << ": " << sim::Describe(*fault);
        }
    }
}

TEST(Faults, NoEchoKeepsTheSumAndBadChecksumKeepsByteOne) {
    struct Case {
        sim::Fault fault;
        int address;
        std::size_t byteOneAt;
        bool echoes;
        bool sumsToZero;
    };
    const std::vector<std::uint8_t> addressed = {0x07, 0x05, 0xA0, 0x12, 0x34, 0x0E};
    const Case cases[] = {
        {sim::Fault::NoEcho(0x00), -1, 1, false, true},
        {sim::Fault::NoEcho(0xA0), -1, 1, false, true},  // the function byte itself: flipped
        {sim::Fault::NoEcho(0x00), 7, 2, false, true},
        {sim::Fault::BadChecksum(), -1, 1, true, false},
        {sim::Fault::BadChecksum(), 7, 2, true, false},
    };
    for (const Case& c : cases) {
        const auto& reply = c.address < 0 ? kReply : addressed;
        ASSERT_EQ(Sum(reply), 0);
        auto shaped = sim::ApplyFault(c.fault, reply, ReadOf(10, c.address), {});
        ASSERT_EQ(shaped.bytes.size(), reply.size()) << sim::Describe(c.fault);
        EXPECT_EQ(shaped.bytes[c.byteOneAt] == 0xA0, c.echoes) << sim::Describe(c.fault);
        EXPECT_EQ(Sum(shaped.bytes) == 0, c.sumsToZero) << sim::Describe(c.fault);
        // The values stay where they were.
        EXPECT_EQ(shaped.bytes[c.byteOneAt + 1], 0x12);
        EXPECT_EQ(shaped.bytes[c.byteOneAt + 2], 0x34);
    }
}
