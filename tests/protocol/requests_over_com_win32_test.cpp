// Requests end to end on Windows: protocol -> Win32 serial link -> COM port -> the panel
// simulator that scripts/test-windows.sh started (VOLTSCOPE_TEST_COM, VOLTSCOPE_TEST_ADDRESS).
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "protocol/block_tables.h"
#include "protocol/requests.h"
#include "protocol/value_store.h"
#include "serial/serial_link.h"

namespace {

unsigned EnvironmentNumber(const char* name) {
    const char* text = std::getenv(name);
    return text != nullptr ? static_cast<unsigned>(std::strtoul(text, nullptr, 10)) : 0;
}

class RequestsOverCom : public ::testing::Test {
  protected:
    void SetUp() override {
        const unsigned com = EnvironmentNumber("VOLTSCOPE_TEST_COM");
        ASSERT_NE(com, 0u) << "set VOLTSCOPE_TEST_COM to the simulator's COM port number";
        address_ = static_cast<uint8_t>(EnvironmentNumber("VOLTSCOPE_TEST_ADDRESS"));
        ResetValueStore();
        ResetRequestTotals();
        Protocol() = {1, address_};
        serial::SetDiagnosticSink([](const std::string&) {});
        ASSERT_EQ(OpenCommPort(com, 9600, 1), 1) << serial::LastOpenError();
    }
    void TearDown() override {
        CloseCommPort();
        Protocol() = {};
        serial::SetDiagnosticSink(nullptr);
    }

    uint8_t address_ = 0;
};

}  // namespace

TEST_F(RequestsOverCom, WrittenValuesReadBackAsUnsignedWords) {
    const int32_t values[3] = {1, -1, 0x12345};
    WriteRegisters(10, 30, 3, values);
    EXPECT_TRUE(LastRequest().completeReply);
    int32_t back[3] = {};
    ReadRegisters(10, 30, 3, back);
    EXPECT_TRUE(LastRequest().completeReply);
    EXPECT_EQ(back[0], 1);
    EXPECT_EQ(back[1], 65535);
    EXPECT_EQ(back[2], 0x2345);
}

TEST_F(RequestsOverCom, ABlockTableReadsWithEveryReplyComplete) {
    ReadBlockTable(kConfigurationBlockTable, kConfigurationReadBlocks);
    EXPECT_EQ(RequestTotals().requests, static_cast<uint64_t>(kConfigurationReadBlocks));
    EXPECT_EQ(RequestTotals().incompleteReplies, 0u);
}

TEST_F(RequestsOverCom, RequestToAnotherAddressTimesOutWithZeros) {
    Protocol().commAddress = static_cast<uint8_t>(address_ + 1);
    int32_t values[2] = {-1, -1};
    ReadRegisters(10, 30, 2, values);
    EXPECT_EQ(values[0], 0);
    EXPECT_EQ(values[1], 0);
    EXPECT_FALSE(LastRequest().completeReply);
    EXPECT_EQ(LastRequest().bytesReceived, 0);
    // The panel's own address is answered again at once.
    Protocol().commAddress = address_;
    ReadRegisters(10, 30, 2, values);
    EXPECT_TRUE(LastRequest().completeReply);
}

TEST_F(RequestsOverCom, AfterClosingRequestsGiveZerosAndAReopenedPortWorks) {
    int32_t value = -1;
    ReadRegisters(10, 67, 1, &value);
    ASSERT_TRUE(LastRequest().completeReply);
    const int32_t version = value;
    ASSERT_NE(CloseCommPort(), 0);
    value = -1;
    ReadRegisters(10, 67, 1, &value);
    EXPECT_EQ(value, 0);
    EXPECT_FALSE(LastRequest().completeReply);
    // The closing 0x00 is behind the panel; its next request is read in step.
    ASSERT_EQ(OpenCommPort(EnvironmentNumber("VOLTSCOPE_TEST_COM"), 9600, 1), 1);
    ReadRegisters(10, 67, 1, &value);
    EXPECT_TRUE(LastRequest().completeReply);
    EXPECT_EQ(value, version);
}

TEST_F(RequestsOverCom, ARequestAfterTheLinkSatIdleIsAnswered) {
    // Long enough for an event wait to be left hanging by a driver (Wine's, on a
    // pseudo-terminal) that never ends it; the bytes must be found all the same.
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    int32_t value = -1;
    ReadRegisters(10, 67, 1, &value);
    EXPECT_TRUE(LastRequest().completeReply);
}

TEST_F(RequestsOverCom, AnotherInstancesEventsLeaveThisLinkAlone) {
    // A second copy of the tool in the same session creates events of the same names and sets
    // and resets them as its own reads and writes start and end.
    std::vector<HANDLE> theirs;
    for (const char* name : {"RX_THREAD_COMM_EVENT", "RD_SYNC_EVENT", "WRT_SYNC"}) {
        theirs.push_back(::CreateEventA(nullptr, TRUE, FALSE, name));
        ASSERT_NE(theirs.back(), nullptr);
    }
    std::atomic<bool> stop{false};
    std::thread otherInstance([&] {
        while (!stop) {
            for (HANDLE event : theirs) {
                ::SetEvent(event);
                ::ResetEvent(event);
            }
            ::Sleep(1);
        }
    });
    int32_t values[3] = {};
    for (int i = 0; i < 20; ++i) {
        ReadRegisters(10, 30, 3, values);
    }
    stop = true;
    otherInstance.join();
    for (HANDLE event : theirs) {
        ::CloseHandle(event);
    }
    EXPECT_EQ(RequestTotals().requests, 20u);
    EXPECT_EQ(RequestTotals().incompleteReplies, 0u);
}
