// Requests end to end: protocol -> serial link -> pseudo-terminal -> simulated panel.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>

#include "protocol/block_tables.h"
#include "protocol/derived_values.h"
#include "protocol/requests.h"
#include "protocol/value_store.h"
#include "serial/serial_link.h"
#include "sim/pty_panel.h"
#include "tests/support/bytes.h"
#include "tests/support/pty_pair.h"

using namespace std::chrono_literals;
using testing_support::Bytes;
using Clock = std::chrono::steady_clock;

namespace {

constexpr unsigned kCom = 9;

class RequestsOverLink : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetValueStore();
        ResetRequestTotals();
        Protocol() = {};
        serial::SetDiagnosticSink([](const std::string&) {});
    }
    void TearDown() override {
        SetBetweenRequestsHook(nullptr);
        CloseCommPort();
        Protocol() = {};
        serial::SetDiagnosticSink(nullptr);
    }

    sim::PtyPanel& StartPanel(sim::PtyPanelOptions options = {}) {
        panel_ = std::make_unique<sim::PtyPanel>(options);
        panel_->linkAsComPort(kCom);
        const unsigned baud = options.baud != 0 ? options.baud : 9600;
        EXPECT_EQ(OpenCommPort(kCom, baud, 1), 1) << serial::LastOpenError();
        return *panel_;
    }

    // Runs `request` and returns how long it took.
    template <typename F>
    Clock::duration Timed(F&& request) {
        auto start = Clock::now();
        request();
        return Clock::now() - start;
    }

    testing_support::PrivatePortsFolder ports_;
    std::unique_ptr<sim::PtyPanel> panel_;
};

}  // namespace

TEST_F(RequestsOverLink, ReadsOneRegisterWithTheExactFrame) {
    auto& panel = StartPanel();
    panel.setRegister(10, 122, 0x1234);
    int32_t value = -1;
    ReadRegisters(10, 122, 1, &value);
    EXPECT_EQ(value, 0x1234);
    EXPECT_TRUE(LastRequest().completeReply);
    auto log = panel.requests();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].raw, Bytes({0x05, 0xA0, 0x7A, 0x01, 0xE0}));
}

TEST_F(RequestsOverLink, WritesReachThePanelAsUnsignedWords) {
    auto& panel = StartPanel();
    const int32_t values[3] = {1, -1, 0x12345};
    WriteRegisters(10, 30, 3, values);
    EXPECT_TRUE(LastRequest().completeReply);
    EXPECT_EQ(panel.getRegister(10, 30), 1);
    EXPECT_EQ(panel.getRegister(10, 31), 0xFFFF);
    EXPECT_EQ(panel.getRegister(10, 32), 0x2345);
    int32_t back[3] = {};
    ReadRegisters(10, 30, 3, back);
    EXPECT_EQ(back[1], 65535) << "values from the panel are unsigned";
    EXPECT_EQ(panel.requests()[0].raw,
              Bytes({0x0B, 0xA1, 0x1E, 0x03, 0x00, 0x01, 0xFF, 0xFF, 0x23, 0x45, 0xCC}));
}

TEST_F(RequestsOverLink, EveryBlockTableReadsIntoTheStoreInTableOrder) {
    auto& panel = StartPanel();
    // Give every register a value of its own so a slot filled from the wrong register shows.
    for (unsigned bank = 0; bank < 16; ++bank) {
        for (unsigned reg = 0; reg < 256; ++reg) {
            panel.setRegister(bank, reg, static_cast<uint16_t>(bank * 1000 + reg + 1));
        }
    }
    for (const BlockTableEntry& table : AllBlockTables()) {
        panel.clearRequests();
        ReadBlockTable(table.blocks, table.blockCount);
        auto log = panel.requests();
        ASSERT_EQ(static_cast<int>(log.size()), table.blockCount) << table.name;
        for (int b = 0; b < table.blockCount; ++b) {
            const RegisterBlock& block = table.blocks[b];
            EXPECT_EQ(log[b].bank, block.bank) << table.name << " block " << b;
            EXPECT_EQ(log[b].start, block.start) << table.name << " block " << b;
            EXPECT_EQ(log[b].count, block.count) << table.name << " block " << b;
            // The panel's log registers hold its records and counts, not the values set above.
            for (unsigned k = 0; k < block.count; ++k) {
                ASSERT_EQ(StoreSlot(block.bank, block.start + k),
                          panel.getRegister(block.bank, block.start + k))
                    << table.name << " " << int(block.bank) << "/" << block.start + k;
            }
        }
    }
    EXPECT_EQ(RequestTotals().incompleteReplies, 0u);
}

TEST_F(RequestsOverLink, ConfigurationTableWritesFifteenBlocksAndNeverTheVersionWord) {
    auto& panel = StartPanel();
    panel.setRegister(10, 67, 410);
    const RegisterBlock* table = kConfigurationBlockTable;
    for (int b = 0; b < kConfigurationBlockCount; ++b) {
        for (unsigned k = 0; k < table[b].count; ++k) {
            StoreSlot(table[b].bank, table[b].start + k) = static_cast<int32_t>(500 + b * 16 + k);
        }
    }
    WriteBlockTable(table, kConfigurationWriteBlocks);
    auto log = panel.requests();
    ASSERT_EQ(log.size(), 15u);
    for (const auto& request : log) {
        EXPECT_EQ(request.op, sim::Operation::kWrite);
        EXPECT_FALSE(request.bank == 10 && request.start == 67);
    }
    EXPECT_EQ(panel.getRegister(10, 67), 410);
    EXPECT_EQ(panel.getRegister(10, 30), 500 + 13 * 16);
    EXPECT_EQ(panel.getRegister(10, 39), 500 + 14 * 16 + 4);
}

TEST_F(RequestsOverLink, BlockLoopsStopAtNBlocksOrAtAnEmptyBlock) {
    auto& panel = StartPanel();
    ReadBlockTable(kRegulatorBlockTable, 3);
    EXPECT_EQ(panel.requests().size(), 3u);
    panel.clearRequests();
    const RegisterBlock empty[] = {{0, 0, 0}, {10, 1, 1}};
    ReadBlockTable(empty, 2);
    WriteBlockTable(empty, 2);
    EXPECT_TRUE(panel.requests().empty());
    EXPECT_EQ(panel.receivedBytes().size(), 5u * 3) << "nothing sent for the empty table";
}

TEST_F(RequestsOverLink, AddressModeSendsTheAddressAndReadsPastTheReplysAddress) {
    auto& panel = StartPanel({.address = 1});
    panel.setRegister(10, 122, 875);
    Protocol() = {1, 1};
    int32_t value = 0;
    ReadRegisters(10, 122, 1, &value);
    EXPECT_EQ(value, 875);
    ASSERT_EQ(panel.requests().size(), 1u);
    EXPECT_EQ(panel.requests()[0].raw, Bytes({0x01, 0x05, 0xA0, 0x7A, 0x01, 0xDF}));

    // Another panel's address: this panel keeps quiet and the values read as 0.
    Protocol() = {1, 2};
    value = -1;
    ReadRegisters(10, 122, 1, &value);
    EXPECT_EQ(value, 0);
    EXPECT_FALSE(LastRequest().completeReply);
}

TEST_F(RequestsOverLink, SilentPanelGivesZerosAfterTheByteAllowance) {
    auto& panel = StartPanel();
    panel.injectFault(sim::Fault::Silence());
    int32_t values[5] = {-1, -1, -1, -1, -1};
    auto took = Timed([&] { ReadRegisters(10, 30, 5, values); });
    for (int32_t v : values)
        EXPECT_EQ(v, 0);
    EXPECT_FALSE(LastRequest().completeReply);
    EXPECT_EQ(RequestTotals().incompleteReplies, 1u);
    EXPECT_GE(took, 1400ms) << "the first byte had its full allowance";
    EXPECT_LT(took, 10s);
    // The panel answers the next request normally.
    ReadRegisters(10, 30, 5, values);
    EXPECT_TRUE(LastRequest().completeReply);
    EXPECT_EQ(values[0], panel.getRegister(10, 30));
}

TEST_F(RequestsOverLink, CutShortReplyKeepsWhatArrivedAndZeroesTheRest) {
    auto& panel = StartPanel();
    panel.setRegister(2, 29, 0x0102);
    panel.setRegister(2, 30, 0x0304);
    panel.setRegister(2, 31, 0x0506);
    panel.injectFault(sim::Fault::Truncate(6));  // length .. value 1's high byte
    int32_t values[3] = {-1, -1, -1};
    auto took = Timed([&] { ReadRegisters(2, 29, 3, values); });
    EXPECT_EQ(values[0], 0x0102);
    EXPECT_EQ(values[1], 0x0300) << "the low byte never came";
    EXPECT_EQ(values[2], 0);
    EXPECT_FALSE(LastRequest().completeReply);
    EXPECT_EQ(LastRequest().bytesReceived, 6);
    EXPECT_GE(took, 1400ms);
}

TEST_F(RequestsOverLink, LateByteTimesOutAndIsNotTakenForTheNextReply) {
    auto& panel = StartPanel();
    panel.setRegister(10, 120, 0x0A0B);
    panel.setRegister(10, 1, 0x0C0D);
    panel.injectFault(sim::Fault::LateByte(3, 2000ms));
    int32_t value = -1;
    ReadRegisters(10, 120, 1, &value);
    EXPECT_EQ(value, 0x0A00) << "the low byte came after its 1.5 s";
    EXPECT_FALSE(LastRequest().completeReply);
    std::this_thread::sleep_for(700ms);  // the late byte lands now, before the next request
    ReadRegisters(10, 1, 1, &value);
    EXPECT_EQ(value, 0x0C0D);
    EXPECT_TRUE(LastRequest().completeReply);
}

TEST_F(RequestsOverLink, LengthByteOutOfRangeEndsTheWaitAtOnce) {
    auto& panel = StartPanel();
    panel.setRegister(10, 122, 0x1234);
    for (uint8_t bad : {uint8_t{0}, uint8_t{42}, uint8_t{0xFF}}) {
        panel.injectFault(sim::Fault::BadLength(bad));
        int32_t value = -1;
        auto took = Timed([&] { ReadRegisters(10, 122, 1, &value); });
        EXPECT_FALSE(LastRequest().completeReply) << int(bad);
        EXPECT_LT(took, 1400ms) << "no allowance is waited out for length " << int(bad);
        // Whatever reached the buffer is still read from its positions.
        EXPECT_TRUE(value == 0x1234 || value == 0 || value == 0x1200) << value;
    }
}

TEST_F(RequestsOverLink, LengthFortyOneIsTheLongestAccepted) {
    // A 15-value reply is 40 bytes long; 41 is still accepted, so the PC waits for one more
    // byte that never comes.
    auto& panel = StartPanel();
    panel.injectFault(sim::Fault::BadLength(41));
    int32_t values[15];
    auto took = Timed([&] { ReadRegisters(8, 71, 15, values); });
    EXPECT_FALSE(LastRequest().completeReply);
    EXPECT_GE(took, 1400ms);
    EXPECT_EQ(values[14], panel.getRegister(8, 85));
}

TEST_F(RequestsOverLink, NoiseSpoilsOnlyTheRequestItHits) {
    auto& panel = StartPanel();
    panel.setRegister(10, 64, 1200);
    panel.injectFault(sim::Fault::Noise(7, true, 42));
    int32_t value = 0;
    ReadRegisters(10, 64, 1, &value);
    panel.injectFault(sim::Fault::Noise(3, false, 7));
    ReadRegisters(10, 64, 1, &value);
    ReadRegisters(10, 64, 1, &value);
    EXPECT_EQ(value, 1200);
    EXPECT_TRUE(LastRequest().completeReply);
}

TEST_F(RequestsOverLink, BytesBeyondTheBufferAreDropped) {
    auto& panel = StartPanel();
    FlushReceiveBuffer();
    std::vector<uint8_t> flood(600);
    for (size_t i = 0; i < flood.size(); ++i)
        flood[i] = static_cast<uint8_t>(i % 251);
    ASSERT_TRUE(panel.sendRaw(flood));
    auto deadline = Clock::now() + 3s;
    while (serial::ReceiveState().fillCount < 512 && Clock::now() < deadline) {
        std::this_thread::sleep_for(5ms);
    }
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(serial::ReceiveState().fillCount, 512);
    uint8_t held[512];
    serial::CopyReceiveBuffer(held, 512);
    EXPECT_TRUE(std::equal(held, held + 512, flood.begin()));
}

TEST_F(RequestsOverLink, ClearAndResetGoOutAsTheirFrames) {
    auto& panel = StartPanel();
    ASSERT_GT(panel.withRegisters([](sim::PanelRegisters& r) { return r.EventCount(); }), 0u);
    int32_t value = -1;
    SendClearCommand(11, 4, 1, &value);
    EXPECT_EQ(value, 0) << "the new event count";
    EXPECT_EQ(panel.withRegisters([](sim::PanelRegisters& r) { return r.EventCount(); }), 0u);
    SendResetCommand(8, &value);
    auto log = panel.requests();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].raw, Bytes({0x05, 0xB2, 0x04, 0x01, 0x44}));
    EXPECT_EQ(log[1].raw, Bytes({0x05, 0x83, 0x00, 0x01, 0x77}));
    EXPECT_TRUE(LastRequest().completeReply);
}

TEST_F(RequestsOverLink, MaintenanceReadsReplaceTheMechanismCodeAndLargestCounter) {
    auto& panel = StartPanel();
    panel.setRegister(10, 122, 700);
    panel.setRegister(10, 210, 99);
    ReadMaintenanceStatus();
    EXPECT_EQ(StoreSlot(10, 210), 3);
    const int counters[12] = {50, 5, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    for (unsigned k = 0; k < 12; ++k)
        panel.setRegister(10, 219 + k, uint16_t(counters[k]));
    ReadMaintenanceCounters();
    EXPECT_EQ(StoreSlot(10, 220), 9);
    EXPECT_EQ(StoreSlot(10, 219), 50);
}

TEST_F(RequestsOverLink, PortVanishingMidRequestNeitherCrashesNorHangs) {
    auto& panel = StartPanel();
    panel.injectFault(sim::Fault::Vanish());
    auto run = std::async(std::launch::async, [] {
        int32_t values[4] = {-1, -1, -1, -1};
        ReadRegisters(10, 5, 4, values);
        ReadRegisters(10, 5, 4, values);  // and the one after, on a port that is gone
        return values[0];
    });
    ASSERT_EQ(run.wait_for(10s), std::future_status::ready) << "the request hangs";
    EXPECT_EQ(run.get(), 0);
    EXPECT_FALSE(LastRequest().completeReply);
    auto closing = std::async(std::launch::async, [] { return CloseCommPort(); });
    ASSERT_EQ(closing.wait_for(5s), std::future_status::ready);
    EXPECT_FALSE(serial::IsPortOpen());
    EXPECT_TRUE(panel.vanished());
}

TEST_F(RequestsOverLink, RequestOnAClosedPortGivesZerosNotTheLastConnectionsReply) {
    auto& panel = StartPanel();
    panel.setRegister(10, 122, 0x1234);
    int32_t value = 0;
    ReadRegisters(10, 122, 1, &value);
    ASSERT_EQ(value, 0x1234);
    CloseCommPort();
    value = -1;
    ReadRegisters(10, 122, 1, &value);
    EXPECT_EQ(value, 0);
    EXPECT_FALSE(LastRequest().completeReply);
    EXPECT_EQ(LastRequest().bytesReceived, 0);
}

TEST_F(RequestsOverLink, StrayBytesDoNotShiftRepliesOntoLaterRequests) {
    // A stray byte after a reply lands in the next request's buffer as a length byte and
    // ends that request at once; its real reply must not be taken for the request after it.
    auto& panel = StartPanel({.baud = 1200});
    for (unsigned reg = 0; reg < 12; ++reg) {
        panel.setRegister(10, reg, static_cast<uint16_t>(0x0100 + reg));
    }
    constexpr unsigned kNoisy = 3;
    panel.injectFault(sim::Fault::StrayByte(0xFF), kNoisy);
    for (unsigned reg = 0; reg < 12; ++reg) {
        int32_t value = -1;
        ReadRegisters(10, static_cast<uint8_t>(reg), 1, &value);
        if (reg > kNoisy) {  // the first clean request still gets the last stray byte
            EXPECT_EQ(value, panel.getRegister(10, reg)) << "register " << reg;
        }
    }
    EXPECT_EQ(panel.requests().size(), 12u);
}

TEST_F(RequestsOverLink, HookRunsBeforeEachRequestButNotInsideOne) {
    auto& panel = StartPanel();
    panel.setRegister(10, 1, 0x0101);
    panel.setRegister(10, 2, 0x0202);
    std::vector<size_t> seenAtHook;  // requests the panel had received when the hook ran
    int32_t fromTimer = -1;
    SetBetweenRequestsHook([&] {
        EXPECT_TRUE(RequestInProgress());
        seenAtHook.push_back(panel.requests().size());
        if (seenAtHook.size() == 2) {
            ReadRegisters(10, 2, 1, &fromTimer);  // a timer handler that reads the panel
        }
    });
    int32_t values[3] = {-1, -1, -1};
    ReadRegisters(10, 1, 1, &values[0]);
    ReadRegisters(10, 1, 1, &values[1]);
    ReadRegisters(10, 1, 1, &values[2]);
    EXPECT_FALSE(RequestInProgress());
    EXPECT_EQ(seenAtHook, (std::vector<size_t>{0, 1, 3})) << "the nested read calls no hook";
    EXPECT_EQ(fromTimer, 0x0202);
    for (int32_t v : values)
        EXPECT_EQ(v, 0x0101);
}

TEST_F(RequestsOverLink, TotalsKeepTheTimeOfTheLastCompleteReply) {
    auto& panel = StartPanel();
    EXPECT_FALSE(RequestTotals().lastCompleteReply.has_value());
    int32_t value = 0;
    const auto before = std::chrono::system_clock::now();
    ReadRegisters(10, 1, 1, &value);
    const auto after = std::chrono::system_clock::now();
    ASSERT_TRUE(RequestTotals().lastCompleteReply.has_value());
    const auto stamp = *RequestTotals().lastCompleteReply;
    EXPECT_TRUE(before <= stamp && stamp <= after);
    panel.injectFault(sim::Fault::Silence());
    ReadRegisters(10, 1, 1, &value);
    EXPECT_EQ(RequestTotals().lastCompleteReply, stamp) << "a failed request changes nothing";
    ResetRequestTotals();
    EXPECT_FALSE(RequestTotals().lastCompleteReply.has_value());
}
