// Connect and Disconnect against the simulated panel over a pseudo-terminal: what the user sees,
// the tabs, the flags, conset.kzx and the bytes on the wire.
#include <algorithm>
#include <filesystem>

#include "tests/app/main_window_fixture.h"

namespace {

using namespace testing_support;
namespace text = main_window_text;

const std::string kHeader = "//VOLTSCOPE 5.0 Connection Settings\r\n";

const std::vector<std::string> kSixTabs = {"Configuration",         "Regulator and Comm",
                                           "Metering and Counters", "Logs and Quick Key",
                                           "Diag, Pwds and Alerts", "Pseudo Manual"};

TEST_F(MainWindowTest, MissingPortShowsTheBoxWithTheReasonAndSavesNothing) {
    // A dangling link: the adapter that was COM9 is unplugged.
    ports_.Link(9, "/dev/voltscope-no-such-adapter");
    const std::string before = ReadFile(kConnectionSettingsFile);
    window_.OnInitDialog();
    Choose(ids::window::kCommPort, "09");
    window_.OnConnectButton();

    ASSERT_EQ(prompts_.Boxes().size(), 1u);
    const MessageBoxRequest box = prompts_.Boxes()[0];
    EXPECT_EQ(box.text, "COM PORT NOT AVAILABLE");
    EXPECT_EQ(box.caption, "INVALID COMM PORT");
    EXPECT_EQ(box.buttons, PromptButtons::kOk);
    EXPECT_NE(box.detail.find("no such device"), std::string::npos) << box.detail;
    EXPECT_EQ(window_.Form()[ids::window::kConnect].caption, "Connect");
    EXPECT_EQ(window_.Form()[ids::window::kIndicator].background, kLightGrey);
    EXPECT_FALSE(window_.ConnectToggle());
    EXPECT_FALSE(Flags().connected);
    EXPECT_TRUE(window_.Tabs().empty());
    EXPECT_EQ(ReadFile(kConnectionSettingsFile), before);

    // The toggle went back, so the next click tries to connect again.
    panel_ = std::make_unique<sim::PtyPanel>();
    panel_->linkAsComPort(9);
    prompts_.calls.clear();
    window_.OnConnectButton();
    EXPECT_TRUE(Flags().connected);
    EXPECT_TRUE(prompts_.Boxes().empty());
}

TEST_F(MainWindowTest, AnsweringPanelGetsTabsByVersionAndSavesTheSettings) {
    for (unsigned version : {409u, 410u}) {
        StartPanel(7, version);
        window_.OnInitDialog();
        Choose(ids::window::kCommPort, "07");
        Choose(ids::window::kBaud, "2400");
        Choose(ids::window::kParity, "EVEN");
        Choose(ids::window::kAddressMode, "OFF");
        window_.OnConnectButton();

        EXPECT_TRUE(prompts_.Boxes().empty()) << prompts_.Boxes()[0].text;
        std::vector<std::string> expected = kSixTabs;
        if (version >= 410) {
            expected.insert(expected.begin() + 5, "Maintenance");
        }
        EXPECT_EQ(TabCaptions(), expected) << version;
        EXPECT_EQ(Flags().panelVersion, static_cast<int>(version));
        EXPECT_TRUE(Flags().connected);
        EXPECT_TRUE(Flags().tabsCreated);
        EXPECT_TRUE(window_.ConnectToggle());
        EXPECT_EQ(window_.Form()[ids::window::kConnect].caption, "Disconnect");
        EXPECT_EQ(window_.Form()[ids::window::kIndicator].background, kGreen);
        EXPECT_EQ(ReadFile(kConnectionSettingsFile), kHeader + ",7,2,1,0");

        window_.OnConnectButton();  // Disconnect
        EXPECT_TRUE(window_.Tabs().empty()) << version;
        EXPECT_FALSE(Flags().tabsCreated);
        EXPECT_FALSE(Flags().connected);
        EXPECT_FALSE(serial::IsPortOpen());
        EXPECT_EQ(window_.Form()[ids::window::kConnect].caption, "Connect");
        EXPECT_EQ(window_.Form()[ids::window::kIndicator].background, kLightGrey);
        prompts_.calls.clear();
    }
}

TEST_F(MainWindowTest, SilentPanelKeepsTheConnectionAndTheTabsAfterTheErrorBox) {
    StartPanel(4, 410).injectFault(sim::Fault::Silence(), 0);
    std::filesystem::remove(kConnectionSettingsFile);
    InitAndConnect(4);

    auto boxes = prompts_.Boxes();
    ASSERT_EQ(boxes.size(), 2u);  // the missing-file box, then the connection error
    EXPECT_EQ(boxes[1].text, text::kConnectionError);
    EXPECT_EQ(boxes[1].caption, "CONNECTION ERROR");
    EXPECT_TRUE(prompts_.OfKind("progress").empty());
    // The version word read as 0: no Maintenance tab.
    EXPECT_EQ(TabCaptions(), kSixTabs);
    EXPECT_EQ(window_.Form()[ids::window::kConnect].caption, "Disconnect");
    EXPECT_TRUE(Flags().connected);
    EXPECT_EQ(ReadFile(kConnectionSettingsFile), kHeader + ",4,4,1,0");
    // Only the two version reads and the link test were tried.
    EXPECT_EQ(Describe(SeenByPanel()),
              (std::vector<std::string>{"R 10/67x1", "R 10/67x1", "R 11/239x1"}));
}

TEST_F(MainWindowTest, DisconnectEmptiesPageTextsButKeepsTheStore) {
    StartPanel(3, 410).setRegister(10, 120, 2);
    InitAndConnect(3);
    FormModel& configuration = window_.Configuration().Form();
    EXPECT_EQ(configuration[ids::config::kTapChanger].SelectedText(), "LTC");
    configuration[ids::config::kU2PtPrimary].text = "typed";
    FormModel& regulator = window_.RegulatorComm().Form();
    EXPECT_EQ(regulator[ids::regulator::kFwdVolts].text, "120.0");
    regulator[ids::regulator::kFwdVolts].text = "typed";

    window_.OnConnectButton();
    EXPECT_EQ(configuration[ids::config::kU2PtPrimary].text, "");
    EXPECT_EQ(regulator[ids::regulator::kFwdVolts].text, "");
    EXPECT_EQ(configuration[ids::config::kTapChanger].selected, -1);
    EXPECT_EQ(StoreSlot(10, 120), 2);
    EXPECT_EQ(StoreSlot(10, 67), 410);
    // Closing sends the one zero byte the panel sees outside any frame.
    EXPECT_EQ(BytesAfterClose().back(), 0x00);
}

TEST_F(MainWindowTest, CloseTabsAnsweredNoKeepsConnectionAndTabs) {
    StartPanel(2, 410);
    InitAndConnect(2);
    prompts_.calls.clear();
    prompts_.answers = {PromptAnswer::kNo};
    window_.OnCloseTabs();
    ASSERT_EQ(prompts_.Boxes().size(), 1u);
    const MessageBoxRequest box = prompts_.Boxes()[0];
    EXPECT_EQ(box.text, "Connected,Do you want to close Tabs? \n Connection will be Terminated");
    EXPECT_EQ(box.caption, "CLOSE TABS");
    EXPECT_EQ(box.buttons, PromptButtons::kYesNo);
    EXPECT_EQ(box.icon, PromptIcon::kQuestion);
    EXPECT_EQ(box.defaultButton, PromptAnswer::kNo);
    EXPECT_EQ(window_.Tabs().size(), 7u);
    EXPECT_TRUE(Flags().connected);
    EXPECT_TRUE(serial::IsPortOpen());

    prompts_.answers = {PromptAnswer::kYes};
    window_.OnCloseTabs();
    EXPECT_TRUE(window_.Tabs().empty());
    EXPECT_FALSE(Flags().connected);
    EXPECT_FALSE(serial::IsPortOpen());
    EXPECT_FALSE(window_.ConnectToggle());
    EXPECT_EQ(window_.Form()[ids::window::kConnect].caption, "Connect");
    // The next click connects again.
    window_.OnConnectButton();
    EXPECT_TRUE(Flags().connected);
}

TEST_F(MainWindowTest, AddressModeOnPutsTheCommAddressOnTheWire) {
    sim::PtyPanelOptions options;
    options.address = 17;
    StartPanel(6, 410, options).setRegister(10, 120, 4);
    window_.OnInitDialog();
    Choose(ids::window::kCommPort, "06");
    Choose(ids::window::kAddressMode, "ON");
    Choose(ids::window::kCommAddress, "17");
    window_.OnConnectButton();

    EXPECT_TRUE(prompts_.Boxes().empty());
    auto requests = SeenByPanel();
    ASSERT_FALSE(requests.empty());
    for (const auto& r : requests) {
        EXPECT_EQ(r.raw.front(), 17) << Describe(r);
        EXPECT_TRUE(r.forThisPanel && r.answered) << Describe(r);
    }
    EXPECT_EQ(StoreSlot(10, 120), 4);
    EXPECT_EQ(ReadFile(kConnectionSettingsFile), kHeader + ",6,4,1,1");
}

TEST_F(MainWindowTest, AddressModeOffSendsNoAddressByte) {
    StartPanel(6, 410);
    window_.OnInitDialog();
    Choose(ids::window::kCommPort, "06");
    Choose(ids::window::kAddressMode, "ON");
    Choose(ids::window::kCommAddress, "17");
    Choose(ids::window::kAddressMode, "OFF");
    window_.OnConnectButton();
    EXPECT_TRUE(prompts_.Boxes().empty());
    auto requests = SeenByPanel();
    ASSERT_FALSE(requests.empty());
    for (const auto& r : requests) {
        EXPECT_EQ(r.raw.size(), r.op == sim::Operation::kWrite ? 5u + 2u * r.count : 5u);
        EXPECT_EQ(r.raw.front(), r.raw.size()) << Describe(r);  // the length byte comes first
    }
}

TEST_F(MainWindowTest, ExitClosesThePortAndEndsWithCodeZero) {
    StartPanel(8, 410);
    InitAndConnect(8);
    int code = -1;
    window_.SetExitHandler([&](int c) { code = c; });
    prompts_.calls.clear();
    window_.OnExit();
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(serial::IsPortOpen());
    ASSERT_FALSE(prompts_.calls.empty());
    EXPECT_EQ(prompts_.calls.back().kind, "wait-");
}

}  // namespace
