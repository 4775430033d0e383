// The "<DIAGNOSTICS>" group against the simulated panel: how registers are shown and typed texts
// sent, the lists and their picks, the order of the writes, Permit/Prevent and its version
// gate, and the redisplay after a tap-changer type change on the Configuration page.
#include "pages/settings/configuration_page.h"
#include "pages/settings/tap_changer_defaults.h"
#include "protocol/block_tables.h"
#include "resources/ids/configuration.h"
#include "tests/pages/diag_page_fixture.h"

namespace {

using namespace testing_support;
using namespace ids::diag;

constexpr int kSixLists[] = {kPanelType,   kTapIn,     kNeutralIn,
                             kFixedOnTime, kTapInType, kNeutralCount};

struct Shown {
    unsigned bank;
    unsigned reg;
    std::vector<uint16_t> values;
    int id;
    std::string text;  // of an edit, or the selected item of a list
};

TEST_F(DiagPageTest, RegistersAreShownConvertedAndAValueBeyondAListSelectsNothing) {
    Connect();
    const Shown rows[] = {
        {9, 53, {'C' << 8 | '4'}, kMainBoardVersion, "C4"},
        {9, 54, {'A' << 8}, kPowerBoardVersion, "A"},
        {9, 55, {0x0041}, kMaskVersion, ""},  // a zero first byte ends the text
        {9, 56, {4464, 1}, kSerialNumber, "70000"},
        {9, 56, {0, 0x8000}, kSerialNumber, "-2147483648"},
        {9, 58, {7}, kProductRevision, "7"},
        {10, 70, {0}, kCheckSum, "UNDETERMINED"},
        {10, 70, {1}, kCheckSum, "PASS"},
        {10, 70, {2}, kCheckSum, "FAIL"},
        {10, 70, {3}, kCheckSum, ""},
        {10, 180, {125}, kRaiseLowerOnTime, "12.5"},
        {10, 185, {2}, kTapInPulse, "0.02"},
        {10, 185, {29}, kTapInPulse, "0.29"},
        {10, 187, {65535}, kPostTapTime, "6553.5"},
        {10, 218, {1}, kPanelType, "KZ-4B"},
        {10, 218, {2}, kPanelType, ""},
        {10, 215, {1}, kFixedOnTime, "Y"},
        {10, 215, {7}, kFixedOnTime, ""},
        {10, 183, {1}, kTapIn, "HS"},
        {10, 183, {2}, kTapIn, ""},
        {10, 184, {1}, kTapInType, "Pulse"},
        {10, 188, {1}, kNeutralIn, "U112"},
        {10, 188, {2}, kNeutralIn, "None"},
        {10, 188, {3}, kNeutralIn, ""},
        {10, 189, {4}, kNeutralCount, "4"},
        {10, 189, {5}, kNeutralCount, ""},
    };
    for (const Shown& row : rows) {
        for (std::size_t i = 0; i < row.values.size(); ++i) {
            panel_->setRegister(row.bank, row.reg + static_cast<unsigned>(i), row.values[i]);
        }
        page_.GetDiagnostics(prompts_);
        const ControlState& control = page_.Form()[row.id];
        EXPECT_EQ(control.items.empty() ? control.text : control.SelectedText(), row.text)
            << row.bank << "/" << row.reg << " = " << row.values[0];
    }
    EXPECT_TRUE(prompts_.Boxes().empty());
}

struct Typed {
    int id;
    std::string text;
    unsigned bank;
    unsigned reg;
    uint16_t sent;
};

TEST_F(DiagPageTest, TypedTextsAreSentConvertedWithTheScaledOnesExactOnTheirDigits) {
    Connect();
    page_.GetDiagnostics(prompts_);
    const std::vector<std::vector<Typed>> batches = {
        {
            {kTapInPulse, "0.29", 10, 185, 29},  // in double precision 0.29 x 100 is 28.999...
            {kRaiseLowerOnTime, "1.5", 10, 180, 15},
            {kRaiseLowerOffTime, "2.37", 10, 181, 23},
            {kTapChangeTimeout, " 3.0 s", 10, 182, 30},
            {kPreTapTime, "abc", 10, 186, 0},
            {kPostTapTime, "0.79", 10, 187, 7},
            {kSerialNumber, "70000", 9, 56, 4464},
            {kSerialNumber, "70000", 9, 57, 1},
            {kMainBoardVersion, "Q7x", 9, 53, 'Q' << 8 | '7'},
            {kPowerBoardVersion, "Z", 9, 54, 'Z' << 8},
            {kMaskVersion, "", 9, 55, 0},
            {kProductRevision, "12x", 9, 58, 12},
        },
        {
            {kSerialNumber, "-1", 9, 56, 0xFFFF},
            {kSerialNumber, "-1", 9, 57, 0xFFFF},
            {kProductRevision, "none", 9, 58, 0},
            {kPreTapTime, "--1", 10, 186, 0},
            {kMainBoardVersion,
             "\xC3\x9C"
             "1",
             9, 53, 0xDC << 8 | '1'},  // Latin-1 U umlaut
        },
    };
    for (const auto& batch : batches) {
        for (const Typed& t : batch) {
            Type(t.id, t.text);
        }
        prompts_.answers = {PromptAnswer::kYes};
        page_.SetDiagnostics(prompts_);
        for (const Typed& t : batch) {
            EXPECT_EQ(Panel(t.bank, t.reg), t.sent) << t.text;
        }
    }
    EXPECT_EQ(Text(kTapInPulse), "0.29");  // the read-back shows what the panel holds
    EXPECT_EQ(Text(kMainBoardVersion),
              "\xC3\x9C"
              "1");
}

struct Pick {
    int id;
    std::string text;
    unsigned reg;  // bank 10
    int32_t stored;
    bool customBox;
};

TEST_F(DiagPageTest, APickStoresItsValueAndTheNonToggleTapInputsAskForCustom) {
    const Pick picks[] = {
        {kPanelType, "KZ-4B", 218, 1, false}, {kPanelType, "KZ-4A", 218, 0, false},
        {kFixedOnTime, "Y", 215, 1, false},   {kFixedOnTime, "N", 215, 0, false},
        {kTapIn, "HS", 183, 1, false},        {kTapIn, "U10", 183, 0, false},
        {kTapInType, "Pulse", 184, 1, true},  {kTapInType, "Toggle", 184, 0, false},
        {kNeutralIn, "U112", 188, 1, true},   {kNeutralIn, "None", 188, 2, true},
        {kNeutralIn, "U12", 188, 0, false},   {kNeutralCount, "3", 189, 3, false},
        {kNeutralCount, "0", 189, 0, false},
    };
    for (const Pick& pick : picks) {
        StoreSlot(10, pick.reg) = 77;
        prompts_.calls.clear();
        Choose(pick.id, pick.text);
        EXPECT_EQ(StoreSlot(10, pick.reg), pick.stored) << pick.text;
        const auto boxes = prompts_.Boxes();
        ASSERT_EQ(boxes.size(), pick.customBox ? 1u : 0u) << pick.text;
        if (pick.customBox) {
            EXPECT_EQ(boxes[0].text, "<CONFIG> Tap Mech Type should be Custom");
            EXPECT_EQ(boxes[0].caption, "Config");
            EXPECT_EQ(boxes[0].buttons, PromptButtons::kOk);
        }
    }
}

TEST_F(DiagPageTest, SetDiagnosticsWritesBlockByBlockThenReadsBack) {
    Connect();
    page_.GetDiagnostics(prompts_);
    ForgetRequests();
    const uint16_t onOff = Panel(11, 199);
    StoreSlot(11, 199) = onOff ^ 0xFFF;  // a password pick not sent yet stays unsent
    prompts_.answers = {PromptAnswer::kYes};
    page_.SetDiagnostics(prompts_);
    std::vector<std::string> expected = {"W 9/53x6", "W 10/218x1", "W 10/180x2", "W 10/215x1",
                                         "W 10/182x8"};
    AppendTable(expected, "R", kDiagnosticsBlockTable, kDiagnosticsReadBlocks);
    EXPECT_EQ(SeenText(), expected);
    EXPECT_EQ(Panel(11, 199), onOff);
    EXPECT_EQ(prompts_.Boxes().at(0).text, "<DIAG> Settings");
    EXPECT_EQ(prompts_.waitDepth, 0);

    ForgetRequests();
    Type(kRaiseLowerOnTime, "9.9");
    prompts_.answers = {PromptAnswer::kNo};
    page_.SetDiagnostics(prompts_);
    EXPECT_TRUE(SeenText().empty());  // No: nothing written, nothing read back
    EXPECT_EQ(StoreSlot(10, 180), 99);
}

TEST_F(DiagPageTest, WithoutAPanelTheTextsStillReachTheStore) {
    Type(kRaiseLowerOnTime, "4.2");
    page_.SetDiagnostics(prompts_);
    EXPECT_EQ(StoreSlot(10, 180), 42);
    EXPECT_EQ(prompts_.Captions(), (std::vector<std::string>{"NOT CONNECTED"}));
}

struct Gate {
    unsigned version;
    bool connected;
    bool gatedListsEnabled;
};

TEST_F(DiagPageTest, PermitEnablesThePanelTypeListsFromVersion410Only) {
    const Gate gates[] = {
        {409, true, false}, {410, true, true}, {409, false, false}, {410, false, true}};
    for (const Gate& gate : gates) {
        SCOPED_TRACE(std::to_string(gate.version) + (gate.connected ? " connected" : " stored"));
        page_.ResetWindow();
        for (int id : kSixLists) {
            page_.Form()[id].enabled = false;  // as the tab set-up leaves them
        }
        CloseCommPort();
        Flags().connected = false;
        if (gate.connected) {
            Connect(gate.version);
            StoreSlot(10, 67) = 0;  // read fresh, not taken from the store
        } else {
            StoreSlot(10, 67) = static_cast<int32_t>(gate.version | 2u << 10);
        }
        page_.ToggleDiagChanges(prompts_);
        EXPECT_TRUE(page_.DiagChangesPermitted());
        if (gate.connected) {
            EXPECT_EQ(SeenText(), (std::vector<std::string>{"R 10/67x1"}));
        }
        FormModel& form = page_.Form();
        EXPECT_TRUE(form[kPanelType].enabled == gate.gatedListsEnabled);
        EXPECT_TRUE(form[kFixedOnTime].enabled == gate.gatedListsEnabled);
        EXPECT_TRUE(form[kNeutralIn].enabled == true);
        EXPECT_TRUE(form[kSetDiagnostics].visible == true);
        EXPECT_TRUE(form[kRaiseLowerOnTime].readOnly == false);
        EXPECT_FALSE(form[kSerialNumber].readOnly.IsSet());  // stays as the form made it

        page_.ToggleDiagChanges(prompts_);
        for (int id : kSixLists) {
            EXPECT_TRUE(form[id].enabled == false) << id;
        }
        EXPECT_TRUE(form[kSetDiagnostics].visible == false);
        EXPECT_TRUE(form[kRaiseLowerOnTime].readOnly == true);
    }
}

TEST_F(DiagPageTest, ATapChangerTypePickedOnTheConfigurationPageIsShownFromTheStore) {
    Connect();
    page_.GetDiagnostics(prompts_);
    CPPOne configuration;
    StoreSlot(10, 120) = 1;  // GE
    ForgetRequests();
    ControlState& type = configuration.Form()[ids::config::kTapChanger];
    type.Select(4);  // "COOP DD"
    configuration.OnSelectionChanged(ids::config::kTapChanger, prompts_);
    ASSERT_EQ(prompts_.Captions(), (std::vector<std::string>{"DIAG UPDATED"}));

    page_.OnShowChanged(true);
    EXPECT_EQ(Text(kRaiseLowerOnTime), "0.5");
    EXPECT_EQ(Selected(kTapIn), "HS");
    EXPECT_FALSE(TapChangerState().diagRefresh);
    EXPECT_TRUE(Flags().connected && !Flags().storeOnly);
    EXPECT_EQ(RequestTotals().requests, 0u);
    EXPECT_EQ(prompts_.Boxes().size(), 1u);

    StoreSlot(10, 180) = 1;  // shown again only after the next type change
    page_.OnShowChanged(true);
    EXPECT_EQ(Text(kRaiseLowerOnTime), "0.5");
}

}  // namespace
