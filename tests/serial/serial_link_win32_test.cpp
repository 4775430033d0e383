// The Windows link against a COM port with the panel simulator behind it (under Wine, a COM
// port mapped onto the simulator's pseudo-terminal). scripts/test-windows.sh starts the
// simulator and names the port in VOLTSCOPE_TEST_COM, the panel's address in
// VOLTSCOPE_TEST_ADDRESS.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <mutex>
#include <string>

#include "protocol/frame.h"
#include "serial/comm_settings_win32.h"
#include "serial/open_failure_win32.h"
#include "serial/port_name.h"
#include "serial/serial_link.h"
#include "tests/support/diagnostic_log.h"

using namespace std::chrono_literals;

namespace {

// No Wine prefix maps this port, and no PC has it.
constexpr unsigned kMissingCom = 250;

unsigned EnvironmentNumber(const char* name) {
    const char* text = std::getenv(name);
    return text != nullptr ? static_cast<unsigned>(std::strtoul(text, nullptr, 10)) : 0;
}

// Wine leaves a COM port open to every opener, where Windows keeps it to the first.
bool UnderWine() {
    HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

using testing_support::DiagnosticLog;

class Win32Link : public ::testing::Test {
  protected:
    void SetUp() override {
        com_ = EnvironmentNumber("VOLTSCOPE_TEST_COM");
        ASSERT_NE(com_, 0u) << "set VOLTSCOPE_TEST_COM to the simulator's COM port number";
    }
    void TearDown() override { CloseCommPort(); }

    unsigned com_ = 0;
    DiagnosticLog diagnostics_;
};

}  // namespace

TEST(CommSettings, ParityCodeZeroIsNoneTwoIsOddAnyOtherEven) {
    struct Case {
        int parity;
        BYTE expected;
    };
    for (Case c :
         {Case{0, NOPARITY}, Case{1, EVENPARITY}, Case{2, ODDPARITY}, Case{3, EVENPARITY}}) {
        DCB dcb{};
        dcb.ByteSize = 7;
        dcb.StopBits = TWOSTOPBITS;
        dcb.fOutxCtsFlow = dcb.fOutX = dcb.fInX = dcb.fErrorChar = TRUE;
        dcb.fParity = TRUE;
        dcb.fDtrControl = DTR_CONTROL_HANDSHAKE;
        dcb.fNull = TRUE;
        serial::ApplyCommSettings(dcb, 2400, c.parity);
        EXPECT_EQ(dcb.Parity, c.expected) << "parity code " << c.parity;
        EXPECT_EQ(dcb.BaudRate, 2400u);
        EXPECT_EQ(dcb.ByteSize, 8);
        EXPECT_EQ(dcb.StopBits, ONESTOPBIT);
        EXPECT_FALSE(dcb.fOutxCtsFlow || dcb.fOutX || dcb.fInX || dcb.fErrorChar);
        EXPECT_EQ(dcb.fRtsControl, static_cast<DWORD>(RTS_CONTROL_ENABLE));
        EXPECT_TRUE(dcb.fBinary && dcb.fAbortOnError);
        EXPECT_TRUE(dcb.fParity && dcb.fNull) << "left as the driver had them";
        EXPECT_EQ(dcb.fDtrControl, static_cast<DWORD>(DTR_CONTROL_HANDSHAKE));
    }
}

TEST(PortOpening, MissingPortFailsAndSaysWhy) {
    DiagnosticLog log;
    EXPECT_EQ(OpenCommPort(kMissingCom, 9600, 1), 0);
    EXPECT_FALSE(serial::IsPortOpen());
    EXPECT_EQ(serial::LastOpenError(), "no such device: \\\\.\\COM250");
    EXPECT_NE(log.text().find("no such device"), std::string::npos);
    uint8_t byte = 0;
    EXPECT_EQ(GetReceivedByte(&byte), 0);
    EXPECT_EQ(FlushReceiveBuffer(), 0);
    EXPECT_EQ(WaitTransmitDrain(), 0);
    EXPECT_EQ(WriteCommBytes(&byte, 1), 0);
    EXPECT_EQ(CloseCommPort(), 0);
}

TEST(PortOpening, FailuresSayWhyInTheWordsOfThePosixLink) {
    struct Case {
        DWORD error;
        std::string expected;
    };
    const Case cases[] = {
        {ERROR_FILE_NOT_FOUND, "no such device: COM3"},
        {ERROR_PATH_NOT_FOUND, "no such device: COM3"},
        {ERROR_ACCESS_DENIED, "busy: COM3 is in use by another program (access denied)"},
        {ERROR_SHARING_VIOLATION, "busy: COM3 is in use by another program"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(serial::OpenFailureText(c.error, "COM3"), c.expected) << c.error;
    }
    const std::string other = serial::OpenFailureText(ERROR_GEN_FAILURE, "COM3");
    EXPECT_EQ(other, serial::SystemMessage(ERROR_GEN_FAILURE) + ": COM3");
    EXPECT_NE(other.rfind("COM3"), 0u) << "says what went wrong, not only the port";
}

TEST_F(Win32Link, PortHeldByAnotherProgramIsBusy) {
    if (UnderWine()) {
        GTEST_SKIP() << "Wine does not keep a COM port to its first opener";
    }
    HANDLE other = ::CreateFileA(ComDeviceName(com_).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                 nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    EXPECT_EQ(OpenCommPort(com_, 9600, 1), 0);
    EXPECT_FALSE(serial::IsPortOpen());
    EXPECT_EQ(serial::LastOpenError().rfind("busy: ", 0), 0u) << serial::LastOpenError();
    ::CloseHandle(other);
    EXPECT_EQ(OpenCommPort(com_, 9600, 1), 1) << serial::LastOpenError();
}

TEST_F(Win32Link, OpeningLeavesTheLineConfigured) {
    ASSERT_EQ(OpenCommPort(com_, 2400, 2), 1) << serial::LastOpenError();
    ASSERT_NE(CloseCommPort(), 0);
    HANDLE probe = ::CreateFileA(ComDeviceName(com_).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(probe, INVALID_HANDLE_VALUE);
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    ASSERT_TRUE(::GetCommState(probe, &dcb));
    ::CloseHandle(probe);
    EXPECT_EQ(dcb.BaudRate, 2400u);
    EXPECT_EQ(dcb.ByteSize, 8);
    EXPECT_EQ(dcb.StopBits, ONESTOPBIT);
    EXPECT_FALSE(dcb.fOutxCtsFlow || dcb.fOutX || dcb.fInX);
}

TEST_F(Win32Link, AFrameReachesThePanelAndItsReplyIsReceived) {
    ASSERT_EQ(OpenCommPort(com_, 9600, 1), 1) << serial::LastOpenError();
    const ProtocolSettings settings{
        1, static_cast<uint8_t>(EnvironmentNumber("VOLTSCOPE_TEST_ADDRESS"))};
    const Frame frame = BuildRequestFrame(settings, 10, Operation::Read, 67, 1);
    ASSERT_EQ(FlushReceiveBuffer(), 1);
    ASSERT_NE(WriteCommBytes(frame.bytes.data(), frame.size), 0) << diagnostics_.text();
    EXPECT_EQ(WaitTransmitDrain(), 1);
    // Address, length 5, function, value high, value low, checksum.
    uint8_t reply[6] = {};
    for (uint8_t& byte : reply) {
        ASSERT_EQ(serial::WaitReceivedByte(&byte, 1500ms), 1) << diagnostics_.text();
    }
    EXPECT_EQ(reply[0], settings.commAddress);
    EXPECT_EQ(reply[1], 5);
    EXPECT_EQ(FrameChecksum(reply, sizeof reply), 0) << "the reply sums to zero";
}

TEST_F(Win32Link, CloseSendsItsByteAndASecondCloseDoesNothing) {
    ASSERT_EQ(OpenCommPort(com_, 9600, 1), 1) << serial::LastOpenError();
    EXPECT_NE(CloseCommPort(), 0);
    EXPECT_FALSE(serial::IsPortOpen());
    EXPECT_EQ(CloseCommPort(), 0);
    const std::string log = diagnostics_.text();
    EXPECT_EQ(log.find("write failed"), std::string::npos) << log;
    EXPECT_EQ(log.find("failed to terminate"), std::string::npos) << log;
}

TEST_F(Win32Link, RepeatedOpenAndCloseLeaksNoHandles) {
    ASSERT_EQ(OpenCommPort(com_, 9600, 1), 1) << serial::LastOpenError();
    CloseCommPort();
    DWORD before = 0;
    ASSERT_TRUE(::GetProcessHandleCount(::GetCurrentProcess(), &before));
    for (int cycle = 0; cycle < 20; ++cycle) {
        ASSERT_EQ(OpenCommPort(com_, 9600, 1), 1) << "cycle " << cycle;
        ASSERT_NE(CloseCommPort(), 0);
    }
    DWORD after = 0;
    ASSERT_TRUE(::GetProcessHandleCount(::GetCurrentProcess(), &after));
    EXPECT_EQ(after, before);
    EXPECT_EQ(diagnostics_.text().find("failed to terminate"), std::string::npos);
}
