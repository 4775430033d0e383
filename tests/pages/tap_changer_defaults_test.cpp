// Picking a tap-changer type loads its DIAG defaults into the store; "Set Config" sends them to
// a panel that holds another type before asking; a configuration file save copies them again.
#include "protocol/block_tables.h"
#include "tests/pages/configuration_page_fixture.h"

namespace {

using namespace testing_support;
using Row = std::vector<int32_t>;

const Row kGeRow = {80, 30, 30, 0, 1, 2, 5, 5, 0, 1};
const Row kLtcRow = {50, 20, 30, 0, 1, 10, 2, 12, 2, 1};
const Row kCoopDdRow = {5, 30, 30, 1, 1, 6, 5, 5, 1, 1};
const Row kUserDiag = {11, 22, 33, 1, 0, 44, 55, 66, 2, 3};

Row StoreDiag() {
    return Row(StoreSlots(10, 180), StoreSlots(10, 180) + 10);
}
void SetStoreDiag(const Row& row) {
    std::copy(row.begin(), row.end(), StoreSlots(10, 180));
}

TEST(TapChangerDefaultsTable, EveryTypeButCustomHasARow) {
    const std::vector<std::pair<int, Row>> rows = {
        {0, {100, 0, 0, 0, 0, 0, 2, 12, 0, 1}},
        {1, kGeRow},
        {2, kLtcRow},
        {3, {80, 30, 30, 1, 1, 2, 5, 5, 1, 1}},
        {4, kCoopDdRow},
        {5, {5, 30, 30, 0, 1, 6, 5, 5, 2, 1}},
        {7, {2, 30, 30, 1, 1, 2, 5, 5, 1, 1}},
    };
    for (const auto& [type, expected] : rows) {
        const DiagDefaultsRow* row = TapChangerDefaultsRow(type);
        ASSERT_NE(row, nullptr) << type;
        EXPECT_EQ(Row(row->begin(), row->end()), expected) << type;
    }
    for (int type : {6, -1, 8, 65535}) {
        EXPECT_EQ(TapChangerDefaultsRow(type), nullptr) << type;
    }
}

TEST_F(ConfigurationPageTest, PickingAnotherTypeLoadsItsDefaultsAndSaysSoOnce) {
    StoreSlot(10, 120) = 1;  // GE
    SetStoreDiag(kUserDiag);
    Choose(ids::config::kTapChanger, "COOP DD");
    EXPECT_EQ(StoreSlot(10, 120), 4);
    EXPECT_EQ(StoreDiag(), kCoopDdRow);
    ASSERT_EQ(prompts_.Boxes().size(), 1u);
    EXPECT_EQ(prompts_.Boxes()[0].text,
              "Tap Mech Type was Changed\n Corresponding <DIAG> Settings will change back to "
              "Defaults");
    EXPECT_EQ(prompts_.Boxes()[0].caption, "DIAG UPDATED");
    EXPECT_EQ(prompts_.Boxes()[0].buttons, PromptButtons::kOk);
    EXPECT_TRUE(TapChangerState().diagRefresh);
    EXPECT_TRUE(TapChangerState().defaultsApplied);
    EXPECT_EQ(RequestTotals().requests, 0u);  // nothing goes to the panel
}

TEST_F(ConfigurationPageTest, PickingTheStoredTypeAgainResetsItsDefaultsWithoutABox) {
    StoreSlot(10, 120) = 2;  // LTC
    SetStoreDiag(kUserDiag);
    Choose(ids::config::kTapChanger, "LTC");
    EXPECT_EQ(StoreDiag(), kLtcRow);
    EXPECT_TRUE(prompts_.Boxes().empty());
    EXPECT_FALSE(TapChangerState().diagRefresh);
    EXPECT_TRUE(TapChangerState().defaultsApplied);
}

TEST_F(ConfigurationPageTest, PickingCustomKeepsTheDiagValuesButStillSaysTheyChanged) {
    StoreSlot(10, 120) = 1;
    SetStoreDiag(kUserDiag);
    Choose(ids::config::kTapChanger, "Custom");
    EXPECT_EQ(StoreSlot(10, 120), 6);
    EXPECT_EQ(StoreDiag(), kUserDiag);
    EXPECT_EQ(prompts_.Captions(), (std::vector<std::string>{"DIAG UPDATED"}));
    EXPECT_TRUE(TapChangerState().diagRefresh);
    EXPECT_FALSE(TapChangerState().defaultsApplied);
}

TEST_F(ConfigurationPageTest, FileSaveCopiesTheCurrentTypesDefaultsOnlyAfterDefaultsWereApplied) {
    StoreSlot(10, 120) = 1;
    SetStoreDiag(kUserDiag);
    ApplyDefaultsBeforeFileSave();  // nothing applied yet: the user's values stay
    EXPECT_EQ(StoreDiag(), kUserDiag);

    Choose(ids::config::kTapChanger, "LTC");
    SetStoreDiag(kUserDiag);  // edited on the Diag page afterwards
    ApplyDefaultsBeforeFileSave();
    EXPECT_EQ(StoreDiag(), kLtcRow);
    EXPECT_TRUE(TapChangerState().defaultsApplied);  // until the file was written
    DefaultsSavedInFile();
    EXPECT_FALSE(TapChangerState().defaultsApplied);
}

TEST_F(ConfigurationPageTest, FileSaveAfterCustomKeepsTheDiagValuesTheUserSet) {
    StoreSlot(10, 120) = 2;
    Choose(ids::config::kTapChanger, "GE");
    Choose(ids::config::kTapChanger, "Custom");
    SetStoreDiag(kUserDiag);
    ApplyDefaultsBeforeFileSave();
    EXPECT_EQ(StoreDiag(), kUserDiag);  // not ten zeros

    // A type the table does not know is treated the same way.
    Choose(ids::config::kTapChanger, "GE");
    StoreSlot(10, 120) = 9;
    SetStoreDiag(kUserDiag);
    ApplyDefaultsBeforeFileSave();
    EXPECT_EQ(StoreDiag(), kUserDiag);
}

// --- the defaults step of "Set Config" against the panel ----------------------------------

class TypeMismatch : public ConfigurationPageTest {
  protected:
    // Gets the page from a GE panel, then shows `pageType` as an opened configuration file
    // would and presses "Set Config" answering `answer`.
    void SetWithPageType(int32_t pageType, PromptAnswer answer) {
        Connect().setRegister(10, 120, 1);
        page_.GetConfig(prompts_);
        ForgetRequests();
        StoreSlot(10, 120) = pageType;
        Flags().storeOnly = true;
        page_.GetConfig(prompts_);
        Flags().storeOnly = false;
        prompts_.answers = {answer};
        page_.SetConfig(prompts_);
    }
    const MessageBoxRequest& Question() {
        auto boxes = prompts_.OfKind("box");
        EXPECT_EQ(boxes.size(), 1u);
        return boxes.at(0)->box;
    }
};

TEST_F(TypeMismatch, DefaultsAreWrittenBeforeTheQuestionAndTheQuestionSaysSo) {
    SetWithPageType(2, PromptAnswer::kYes);
    const auto seen = Seen();
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(Describe(seen[0]), "R 10/120x1");
    EXPECT_EQ(Describe(seen[1]), "W 10/180x10");
    EXPECT_EQ(std::vector<int32_t>(seen[1].data.begin(), seen[1].data.end()), kLtcRow);
    EXPECT_EQ(prompts_.OfKind("box")[0]->requestsBefore, 2u);  // asked after the DIAG write
    EXPECT_EQ(Question().text,
              "<CFG> Settings\n This will change some of the <DIAG> settings to defaults");
    EXPECT_EQ(Question().caption, "CONFIRM SETTINGS");
    EXPECT_EQ(Question().buttons, PromptButtons::kYesNo);
    EXPECT_EQ(Question().icon, PromptIcon::kQuestion);
    EXPECT_EQ(Question().defaultButton, PromptAnswer::kNo);
    EXPECT_EQ(PanelRegisters(10, 180, 10), std::vector<uint16_t>(kLtcRow.begin(), kLtcRow.end()));
    EXPECT_EQ(panel_->getRegister(10, 120), 2);
}

TEST_F(TypeMismatch, TheDiagWriteDoesNotDependOnTheAnswer) {
    SetWithPageType(2, PromptAnswer::kNo);
    std::vector<std::string> writes = Describe(Writes());
    EXPECT_EQ(writes, (std::vector<std::string>{"W 10/180x10"}));
    EXPECT_EQ(panel_->getRegister(10, 120), 1);  // the type itself was not sent
}

TEST_F(TypeMismatch, CustomOrAnUnknownTypeWritesNoDiagButAsksTheSameQuestion) {
    for (int32_t pageType : {6, 9}) {
        SetWithPageType(pageType, PromptAnswer::kNo);
        EXPECT_TRUE(Writes().empty()) << pageType;
        EXPECT_EQ(Question().text,
                  "<CFG> Settings\n This will change some of the <DIAG> settings to defaults");
        CloseCommPort();
    }
}

TEST_F(TypeMismatch, TheSameTypeWritesNoDiagAndSaysNothingChanged) {
    SetWithPageType(1, PromptAnswer::kYes);
    EXPECT_EQ(Question().text, "No Change in Tap Changer Type Sensed");
    std::vector<std::string> expected;
    AppendTable(expected, "W", kConfigurationBlockTable, kConfigurationWriteBlocks);
    EXPECT_EQ(Describe(Writes()), expected);
}

}  // namespace
