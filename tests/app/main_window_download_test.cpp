// What Connect transfers, in the order the panel received it, with the progress steps between
// the pages; and the upload offer after a configuration file was imported.
#include "app/configuration_file.h"
#include "protocol/block_tables.h"
#include "tests/app/main_window_fixture.h"

namespace {

using namespace testing_support;
namespace text = main_window_text;

std::vector<std::string> ConnectPrologue() {
    return {"R 10/67x1", "R 10/67x1", "R 11/239x1"};
}

TEST_F(MainWindowTest, DownloadReadsThePagesInOrderWithAProgressStepAfterEach) {
    StartPanel(5, 410);
    InitAndConnect(5);
    ASSERT_TRUE(prompts_.Boxes().empty());

    std::vector<std::string> expected = ConnectPrologue();
    AppendTable(expected, "R", kConfigurationBlockTable, kConfigurationShortReadBlocks);
    AppendTable(expected, "R", kConfigurationBlockTable, kConfigurationReadBlocks);
    AppendTable(expected, "R", kAdvancedConfigurationBlockTable, kAdvancedConfigurationReadBlocks);
    const std::size_t afterConfiguration = expected.size();
    AppendTable(expected, "R", kRegulatorBlockTable, kRegulatorReadBlocks);
    AppendTable(expected, "R", kCommunicationBlockTable, kCommunicationReadBlocks);
    expected.push_back("R 11/239x1");  // the link, for the communication controls
    const std::size_t afterRegulator = expected.size();
    // The log set-up, then the counts' refresh, which shows the set-up again first.
    AppendTable(expected, "R", kLogSetupBlockTable, kLogSetupReadBlocks);
    AppendTable(expected, "R", kLogSetupBlockTable, kLogSetupReadBlocks);
    expected.push_back("R 11/0x1");
    expected.push_back("R 11/4x1");
    const std::size_t afterLogs = expected.size();
    AppendTable(expected, "R", kDiagnosticsBlockTable, kDiagnosticsReadBlocks);
    AppendTable(expected, "R", kPasswordsBlockTable, kPasswordsReadBlocks);
    EXPECT_EQ(Describe(SeenByPanel()), expected);

    auto progress = prompts_.OfKind("progress");
    ASSERT_EQ(progress.size(), 1u);
    EXPECT_EQ(progress[0]->text, "Progress");
    EXPECT_EQ(progress[0]->a, 1);  // smooth
    EXPECT_EQ(progress[0]->requestsBefore, ConnectPrologue().size());
    auto range = prompts_.OfKind("range");
    ASSERT_EQ(range.size(), 1u);
    EXPECT_EQ((std::vector<int>{range[0]->a, range[0]->b, range[0]->c}),
              (std::vector<int>{0, 20000, 1}));
    auto texts = prompts_.OfKind("text");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->text, "Downloading Data From Panel...\n\nPlease Wait.");

    auto steps = prompts_.OfKind("step");
    ASSERT_EQ(steps.size(), 4u);
    std::vector<std::size_t> stepAt;
    for (const auto* s : steps) {
        EXPECT_EQ(s->a, 5000);
        stepAt.push_back(s->requestsBefore);
    }
    EXPECT_EQ(stepAt, (std::vector<std::size_t>{afterConfiguration, afterRegulator, afterLogs,
                                                expected.size()}));
    auto destroy = prompts_.OfKind("destroy");
    ASSERT_EQ(destroy.size(), 1u);
    EXPECT_EQ(destroy[0]->requestsBefore, expected.size());
    EXPECT_EQ(prompts_.waitDepth, 0);  // every wait cursor ended
    EXPECT_EQ(prompts_.calls.back().kind, "wait-");
}

TEST_F(MainWindowTest, DownloadShowsThePanelsValuesOnThePages) {
    auto& panel = StartPanel(5, 410);
    panel.setRegister(2, 24, 1205);
    panel.setRegister(11, 4, 0);  // no events
    panel.setRegister(9, 53, 'Q' << 8 | '7');
    InitAndConnect(5);
    EXPECT_EQ(window_.RegulatorComm().Form()[ids::regulator::kFwdVolts].text, "120.5");
    EXPECT_EQ(window_.DiagPwdsAlerts().Form()[ids::diag::kMainBoardVersion].text, "Q7");
    EXPECT_EQ(window_.Logs().Form()[ids::logs::kEventsAvailable].text, "0");
    EXPECT_EQ(StoreSlot(2, 24), 1205);
}

class ImportedConnect : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        StoreSlot(2, 24) = 1234;  // an imported regulator set point
        StoreSlot(2, 15) = 42;    // an imported regulator id
        StoreSlot(10, 67) = 999;  // the version word is never written
        StoreSlot(10, 120) = 1;   // the panel's own tap-changer type: no DIAG defaults sent
        // As opening a configuration file leaves it: the store holds the file's values and the
        // pages show them.
        StoreConfigurationValues(*ParseConfigurationFile(FormatConfigurationFile(), nullptr));
        Flags().storeOnly = true;
        window_.SetUpTabs(true);
        Flags().storeOnly = false;
        Flags().fileImported = true;
        // Showing the file read the link register on the closed port: no panel saw that.
        ResetRequestTotals();
    }
};

TEST_F(ImportedConnect, YesUploadsEveryPageAfterItsConfirmation) {
    StartPanel(5, 410);
    window_.OnInitDialog();
    Choose(ids::window::kCommPort, "05");
    prompts_.answers.assign(8, PromptAnswer::kYes);
    window_.OnConnectButton();

    EXPECT_EQ(
        prompts_.Captions(),
        (std::vector<std::string>{"FILE ACTIVITY DETECTED", "CONFIRM SETTINGS", "CONFIRM SETTINGS",
                                  "CONFIRM SETTINGS", "CONFIRM SETTINGS", "CONFIRM SETTINGS",
                                  "CONFIRM SETTINGS", "CONFIRM SETTINGS"}));
    auto boxes = prompts_.Boxes();
    EXPECT_EQ(boxes[0].text,
              "CONFIG (.KZ0) FILE WAS IMPORTED \n Do You want to send Imported data to Panel?");
    EXPECT_EQ(boxes[0].defaultButton, PromptAnswer::kNo);
    std::vector<std::string> questions;
    for (std::size_t i = 1; i < boxes.size(); ++i) {
        questions.push_back(boxes[i].text);
    }
    EXPECT_EQ(questions,
              (std::vector<std::string>{"No Change in Tap Changer Type Sensed",
                                        "<ADV CFG> Settings", "<REG> Settings", "<COMM> Settings",
                                        "<LOG> Settings", "<DIAG> Settings", "<PWDS> Settings"}));
    std::vector<std::string> writes;
    for (const auto& r : SeenByPanel()) {
        if (r.op == sim::Operation::kWrite) {
            writes.push_back(Describe(r));
        }
    }
    std::vector<std::string> expected;
    AppendTable(expected, "W", kConfigurationBlockTable, kConfigurationWriteBlocks);
    AppendTable(expected, "W", kAdvancedConfigurationBlockTable, kAdvancedConfigurationWriteBlocks);
    AppendTable(expected, "W", kRegulatorBlockTable, kRegulatorWriteBlocks);
    // The panel's link reads 1: the line settings go out too.
    for (const char* w :
         {"W 2/15x1", "W 10/127x1", "W 2/44x1", "W 10/128x1", "W 2/43x1", "W 2/46x1", "W 2/47x1",
          "W 10/152x1", "W 10/157x1", "W 10/159x1", "W 10/201x1"}) {
        expected.push_back(w);
    }
    AppendTable(expected, "W", kLogSetupBlockTable, kLogSetupWriteBlocks);
    for (const char* w : {"W 9/53x6", "W 10/218x1", "W 10/180x2", "W 10/215x1", "W 10/182x8"}) {
        expected.push_back(w);
    }
    AppendTable(expected, "W", kPasswordsBlockTable, kPasswordsWriteBlocks);
    EXPECT_EQ(writes, expected);
    EXPECT_EQ(panel_->getRegister(2, 24), 1234);
    EXPECT_EQ(panel_->getRegister(2, 15), 42);
    EXPECT_EQ(panel_->getRegister(10, 67) & 0x3FF, 410);
    EXPECT_FALSE(Flags().fileImported);
    // Under a progress window whose Cancel stops the upload.
    ASSERT_EQ(prompts_.OfKind("text").size(), 1u);
    EXPECT_EQ(prompts_.OfKind("text")[0]->text, main_window_text::kUploading);
    EXPECT_EQ(prompts_.OfKind("destroy").size(), 1u);
}

TEST_F(ImportedConnect, NoSendsNothingAndKeepsTheImportedValues) {
    StartPanel(5, 410);
    window_.OnInitDialog();
    Choose(ids::window::kCommPort, "05");
    prompts_.answers = {PromptAnswer::kNo};
    window_.OnConnectButton();
    auto boxes = prompts_.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text,
              "FILE WAS IMPORTED\n These Settings have not been Sent to Panel yet \n You may Edit "
              "the settings and Set them Now");
    EXPECT_EQ(boxes[1].caption, "MANUALLY SET IMPORTED DATA");
    // The import made the tabs: Connect reads the version word only for its rules.
    EXPECT_EQ(Describe(SeenByPanel()), (std::vector<std::string>{"R 10/67x1", "R 11/239x1"}));
    EXPECT_EQ(StoreSlot(2, 24), 1234);
    EXPECT_FALSE(Flags().fileImported);
    EXPECT_TRUE(Flags().connected);
}

TEST_F(ImportedConnect, YesToASilentPanelReportsTheConnectionError) {
    StartPanel(5, 410).injectFault(sim::Fault::Silence(), 0);
    window_.OnInitDialog();
    Choose(ids::window::kCommPort, "05");
    prompts_.answers = {PromptAnswer::kYes};
    window_.OnConnectButton();
    EXPECT_EQ(prompts_.Captions(),
              (std::vector<std::string>{"FILE ACTIVITY DETECTED", "CONNECTION ERROR"}));
    EXPECT_EQ(Describe(SeenByPanel()), (std::vector<std::string>{"R 10/67x1", "R 11/239x1"}));
    EXPECT_FALSE(Flags().fileImported);
}

TEST_F(ImportedConnect, AnsweringNoToAConfirmationWritesNothingOfThatGroup) {
    StartPanel(5, 410);
    window_.OnInitDialog();
    Choose(ids::window::kCommPort, "05");
    // Import Yes, then No to everything but the regulator table.
    prompts_.answers = {PromptAnswer::kYes, PromptAnswer::kNo, PromptAnswer::kNo,
                        PromptAnswer::kYes, PromptAnswer::kNo, PromptAnswer::kNo,
                        PromptAnswer::kNo,  PromptAnswer::kNo};
    window_.OnConnectButton();
    std::vector<std::string> writes;
    for (const auto& r : SeenByPanel()) {
        if (r.op == sim::Operation::kWrite) {
            writes.push_back(Describe(r));
        }
    }
    std::vector<std::string> expected;
    AppendTable(expected, "W", kRegulatorBlockTable, kRegulatorWriteBlocks);
    EXPECT_EQ(writes, expected);
    EXPECT_EQ(panel_->getRegister(2, 24), 1234);
}

}  // namespace
