// The Regulator and Comm page's panel sequences against the simulated panel: the link
// register's rules, the order of the single writes, the read-backs, INCOMPLETE DATA,
// store-only mode and "View Imported Data".
#include "tests/pages/regulator_comm_page_fixture.h"

namespace {

using namespace testing_support;
using namespace ids::regulator;

const std::vector<std::string> kCommWritesWithoutLine = {
    "W 2/15x1", "W 2/46x1", "W 2/47x1", "W 10/152x1", "W 10/157x1", "W 10/159x1", "W 10/201x1"};
const std::vector<std::string> kCommWritesWithLine = {
    "W 2/15x1", "W 10/127x1", "W 2/44x1",   "W 10/128x1", "W 2/43x1",  "W 2/46x1",
    "W 2/47x1", "W 10/152x1", "W 10/157x1", "W 10/159x1", "W 10/201x1"};

struct LinkCase {
    uint16_t link;
    bool addressMode;
    bool lineFixed;     // protocol, baud and parity disabled
    bool addressFixed;  // "Comm Addr:" read-only
    const std::vector<std::string>& writes;
};

TEST_F(RegulatorCommPageTest, TheLinkRegisterFixesControlsAndLimitsTheCommWrites) {
    const LinkCase cases[] = {
        {0, false, false, false, kCommWritesWithoutLine},
        {1, false, false, false, kCommWritesWithLine},
        {1, true, false, true, kCommWritesWithLine},
        {2, false, true, true, kCommWritesWithoutLine},
        {3, true, false, false, kCommWritesWithoutLine},
    };
    for (const LinkCase& c : cases) {
        SCOPED_TRACE("link " + std::to_string(c.link) + (c.addressMode ? ", address mode" : ""));
        Protocol().addressMode = c.addressMode ? 1 : 0;
        Protocol().commAddress = 5;
        Connect({.address = c.addressMode ? 5 : -1}).setLinkValue(c.link);
        page_.ResetWindow();
        page_.GetCommConfig(prompts_);
        EXPECT_EQ(Flags().linkValue, c.link);
        for (int id : {kProtocol, kCommBaud, kCommParity}) {
            EXPECT_EQ(page_.Form()[id].enabled == false, c.lineFixed) << id;
        }
        EXPECT_EQ(page_.Form()[kCommAddress].readOnly == true, c.addressFixed);
        TakeRequests();
        prompts_.answers = {PromptAnswer::kYes};
        page_.SetCommConfig(prompts_);
        std::vector<std::string> expected = c.writes;
        for (const std::string& r :
             Table("R", kCommunicationBlockTable, kCommunicationReadBlocks)) {
            expected.push_back(r);
        }
        expected.push_back("R 11/239x1");
        EXPECT_EQ(TakeRequests(), expected);
        CloseCommPort();
    }
}

TEST_F(RegulatorCommPageTest, NothingButANewPageWindowFreesWhatALinkFixed) {
    Connect().setLinkValue(2);
    page_.GetCommConfig(prompts_);
    panel_->setLinkValue(0);
    page_.GetCommConfig(prompts_);
    EXPECT_EQ(Flags().linkValue, 0);
    EXPECT_TRUE(page_.Form()[kProtocol].enabled == false);
    EXPECT_TRUE(page_.Form()[kCommAddress].readOnly == true);
    page_.ResetWindow();
    EXPECT_FALSE(page_.Form()[kProtocol].enabled.IsSet());
    EXPECT_FALSE(page_.Form()[kCommAddress].readOnly.IsSet());
}

TEST_F(RegulatorCommPageTest, SendSetPointConfigWritesTenRegistersInOrderThenReadsThemBack) {
    Connect();
    page_.GetRegConfig(prompts_);
    TakeRequests();
    prompts_.calls.clear();
    prompts_.answers = {PromptAnswer::kYes};
    page_.SendSetPointConfig(prompts_);
    std::vector<std::string> expected = {"W 2/24x1", "W 2/20x1", "W 2/25x1", "W 2/22x1", "W 2/21x1",
                                         "W 2/12x1", "W 2/8x1",  "W 2/13x1", "W 2/10x1", "W 2/9x1"};
    for (const std::string& r : Table("R", kRegulatorBlockTable, kRegulatorShortReadBlocks)) {
        expected.push_back(r);
    }
    EXPECT_EQ(TakeRequests(), expected);
    EXPECT_EQ(prompts_.Boxes()[0].text, "Set Point CFG");
    EXPECT_EQ(prompts_.Boxes()[0].caption, "CONFIRM SETTINGS");
    EXPECT_EQ(panel_->getRegister(2, 21), 65486);  // the simulator's -5.0, sent back whole
    EXPECT_EQ(prompts_.waitDepth, 0);
}

struct Answered {
    void (CPPOneA::*set)(UserPrompts&);
    const char* question;
    std::vector<std::string> afterNo;  // what the panel gets when the question is answered No
};

TEST_F(RegulatorCommPageTest, NoWritesNothingAndOnlySetRegConfigStillReadsBack) {
    const Answered cases[] = {
        {&CPPOneA::SetRegConfig, "<REG> Settings",
         Table("R", kRegulatorBlockTable, kRegulatorReadBlocks)},
        {&CPPOneA::SendSetPointConfig, "Set Point CFG", {}},
        {&CPPOneA::SetCommConfig, "<COMM> Settings", {}},
    };
    Connect();
    page_.GetRegAndCommConfig(prompts_);
    for (const Answered& c : cases) {
        TakeRequests();
        prompts_.calls.clear();
        prompts_.answers = {PromptAnswer::kNo};
        (page_.*c.set)(prompts_);
        EXPECT_EQ(prompts_.Captions(), std::vector<std::string>{"CONFIRM SETTINGS"});
        EXPECT_EQ(prompts_.Boxes()[0].text, c.question);
        EXPECT_EQ(TakeRequests(), c.afterNo) << c.question;
    }
}

struct Unanswered {
    void (CPPOneA::*set)(UserPrompts&);
    unsigned bank, start;  // the read of the group that goes without a reply
};

TEST_F(RegulatorCommPageTest, AGroupReadWithoutEveryReplyAsksBeforeItsWrite) {
    const Unanswered cases[] = {
        {&CPPOneA::SetRegConfig, 2, 36},
        {&CPPOneA::SendSetPointConfig, 2, 9},
        {&CPPOneA::SetCommConfig, 2, 15},
    };
    Connect();
    for (const Unanswered& c : cases) {
        panel_->injectFault(sim::Fault::Silence(), 1, [c](const sim::Request& r) {
            return r.op == sim::Operation::kRead && r.bank == c.bank && r.start == c.start;
        });
        page_.GetRegAndCommConfig(prompts_);
        TakeRequests();
        prompts_.calls.clear();
        prompts_.answers = {PromptAnswer::kNo};
        (page_.*c.set)(prompts_);
        EXPECT_EQ(prompts_.Captions(), std::vector<std::string>{"INCOMPLETE DATA"}) << c.start;
        EXPECT_TRUE(TakeRequests().empty());
    }
}

TEST_F(RegulatorCommPageTest, StoreOnlyGetsReadOnlyTheLinkAndSetsConvertWithoutBoxes) {
    Connect().setLinkValue(2);
    StoreSlot(2, 24) = 1234;
    Flags().storeOnly = true;
    page_.GetRegAndCommConfig(prompts_);
    EXPECT_EQ(TakeRequests(), std::vector<std::string>{"R 11/239x1"});
    EXPECT_EQ(Text(kFwdVolts), "123.4");
    EXPECT_TRUE(page_.Form()[kCommParity].enabled == false);

    page_.Form()[kFwdVolts].text = "119.9";
    page_.Form()[kRegId].text = "77";
    page_.SetRegAndCommConfig(prompts_);
    EXPECT_TRUE(prompts_.Boxes().empty());
    EXPECT_TRUE(TakeRequests().empty());
    EXPECT_EQ(StoreSlot(2, 24), 1199);
    EXPECT_EQ(StoreSlot(2, 15), 77);
}

TEST_F(RegulatorCommPageTest, ViewImportedDataShowsTheStoreOnlyAfterAnImport) {
    page_.OnCommand(kViewImportedData, prompts_);
    ASSERT_EQ(prompts_.Boxes().size(), 1u);
    EXPECT_EQ(prompts_.Boxes()[0].text, "Data Was not Imported");
    EXPECT_EQ(prompts_.Boxes()[0].caption, "NO FILE OPERATION DETECTED");

    prompts_.calls.clear();
    StoreSlot(10, 201) = 9;
    Flags().storeOnly = true;
    page_.OnCommand(kViewImportedData, prompts_);
    EXPECT_TRUE(prompts_.Boxes().empty());
    EXPECT_EQ(page_.Form()[kDnpSet].SelectedText(), "2.x4");
    EXPECT_FALSE(Flags().connected);
}

TEST_F(RegulatorCommPageTest, EveryActionNeedsTheConnection) {
    for (int id : {kGetRegAndCommConfig, kSetRegAndCommConfig, kGetRegConfig, kSetRegConfig,
                   kGetSetPointConfig, kSendSetPointConfig, kGetCommConfig, kSetCommConfig}) {
        prompts_.calls.clear();
        page_.OnCommand(id, prompts_);
        EXPECT_EQ(prompts_.Captions(), std::vector<std::string>{"NOT CONNECTED"}) << id;
    }
}

}  // namespace
