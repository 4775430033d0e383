// The receive thread's reports reach the user as boxes on the interface thread.
#include "app/view/link_event_relay.h"

#include <gtest/gtest.h>
#include <QCoreApplication>

#include <atomic>
#include <chrono>
#include <thread>

#include "serial/serial_link.h"
#include "sim/pty_panel.h"
#include "tests/support/fake_user_prompts.h"
#include "tests/support/process_state.h"
#include "tests/support/pty_pair.h"

namespace {

using namespace testing_support;
using Clock = std::chrono::steady_clock;

constexpr unsigned kCom = 14;

// Lets queued calls run until `done` or a generous bound.
template <typename F>
bool ProcessEventsUntil(F&& done) {
    auto deadline = Clock::now() + std::chrono::seconds(5);
    while (!done() && Clock::now() < deadline) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return done();
}

std::vector<std::string> BoxTexts(const FakeUserPrompts& prompts) {
    std::vector<std::string> texts;
    for (const PromptCall& call : prompts.calls) {
        if (call.kind == "box")
            texts.push_back(call.box.text + "|" + call.box.caption);
    }
    return texts;
}

class LinkEventRelayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetProcessState();
        serial::SetDiagnosticSink([](const std::string&) {});
        panel_.linkAsComPort(kCom);
    }
    void TearDown() override {
        CloseCommPort();
        serial::SetLineErrorSource(nullptr);
        serial::SetDiagnosticSink(nullptr);
    }

    PrivatePortsFolder ports_;
    sim::PtyPanel panel_;
    FakeUserPrompts prompts_;
};

}  // namespace

TEST_F(LinkEventRelayTest, ALineErrorShowsOneRxErrorsBox) {
    std::atomic<int> errorsToReport{3};
    serial::SetLineErrorSource(
        [&](int) -> uint32_t { return errorsToReport.fetch_sub(1) > 0 ? serial::kErrFrame : 0; });
    LinkEventRelay relay(prompts_);
    ASSERT_EQ(OpenCommPort(kCom, 9600, 1), 1);
    // Three reports, each on its own wake-up, before the interface thread gets to run.
    for (int i = 0; i < 3; ++i) {
        const int before = errorsToReport.load();
        ASSERT_TRUE(panel_.sendRaw({0x55}));
        auto deadline = Clock::now() + std::chrono::seconds(5);
        while (errorsToReport.load() == before && Clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    ASSERT_LE(errorsToReport.load(), 0);
    ASSERT_TRUE(ProcessEventsUntil([&] { return !BoxTexts(prompts_).empty(); }));
    // Reports that came while the first box was still queued make no second box.
    QCoreApplication::processEvents();
    EXPECT_EQ(BoxTexts(prompts_), std::vector<std::string>{"rxerrors|"});
    CloseCommPort();
}

TEST_F(LinkEventRelayTest, APortThatVanishesShowsEndRxthreadButACloseDoesNot) {
    LinkEventRelay relay(prompts_);
    ASSERT_EQ(OpenCommPort(kCom, 9600, 1), 1);
    CloseCommPort();
    QCoreApplication::processEvents();
    EXPECT_TRUE(BoxTexts(prompts_).empty());

    ASSERT_EQ(OpenCommPort(kCom, 9600, 1), 1);
    panel_.vanish();
    ASSERT_TRUE(ProcessEventsUntil([&] { return !BoxTexts(prompts_).empty(); }));
    EXPECT_EQ(BoxTexts(prompts_), std::vector<std::string>{"end rxthread|"});
    CloseCommPort();
}
