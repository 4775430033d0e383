// The Regulator and Comm page's conversions and lists against the simulated panel: what a Get
// shows for a register value, and what a typed text or a pick sends.
#include "tests/pages/regulator_comm_page_fixture.h"

namespace {

using namespace testing_support;
using namespace ids::regulator;

struct Shown {
    unsigned bank, reg;
    uint16_t value;
    int id;
    std::string text;
    int32_t storeAfter;  // a compensation's signed form, which the store keeps; else 0
};

TEST_F(RegulatorCommPageTest, GetShowsEachRegisterInItsFieldsForm) {
    const Shown cases[] = {
        {2, 24, 1205, kFwdVolts, "120.5", 0},      {2, 20, 20, kFwdBandwidth, "2.0", 0},
        {2, 12, 0, kRevVolts, "0.0", 0},           {2, 25, 255, kFwdDelay, "255", 0},
        {2, 22, 65486, kFwdCompR, "-5", -50},      {2, 21, 27, kFwdCompX, "2", 27},
        {2, 10, 65535, kRevCompR, "0", -1},        {2, 9, 32768, kRevCompX, "-3276", -32768},
        {2, 30, 25, kLocalVrc, "2.5", 0},          {10, 15, 40, kKz3aVrc, "4.0", 0},
        {2, 36, 5, kAutoVrcSet1, "0.5", 0},        {2, 34, 50, kAutoVrc1Current, "50", 0},
        {2, 27, 1260, kVlcUpper, "126.0", 0},      {10, 156, 45, kAltDelay, "45", 0},
        {10, 139, 123, kCmVersion, "1.23", 0},     {10, 139, 0, kCmVersion, "0.00", 0},
        {10, 139, 399, kCmVersion, "3.99", 0},     {10, 139, 400, kCmVersion, "0.0400", 0},
        {10, 139, 10203, kCmVersion, "1.0203", 0}, {10, 139, 39999, kCmVersion, "3.9999", 0},
        {10, 139, 40000, kCmVersion, "", 0},       {10, 139, 45000, kCmVersion, "", 0},
        {2, 15, 4321, kRegId, "4321", 0},          {2, 47, 5, kTxEnableDelay, "5", 0},
    };
    Connect();
    for (const Shown& c : cases) {
        panel_->setRegister(c.bank, c.reg, c.value);
        page_.GetRegAndCommConfig(prompts_);
        EXPECT_EQ(Text(c.id), c.text) << c.bank << "/" << c.reg << " = " << c.value;
        if (c.storeAfter != 0) {
            EXPECT_EQ(StoreSlot(c.bank, c.reg), c.storeAfter) << c.bank << "/" << c.reg;
        }
    }
    EXPECT_TRUE(prompts_.Boxes().empty());
}

TEST_F(RegulatorCommPageTest, VrcStatShowsTheLocalPercentOnlyWhileVrcIsOn) {
    Connect();
    panel_->setRegister(2, 30, 50);
    for (auto [mode, text] : {std::pair{0, "----"}, {2, "5.0"}, {1, "5.0"}}) {
        panel_->setRegister(2, 29, static_cast<uint16_t>(mode));
        page_.GetRegConfig(prompts_);
        EXPECT_EQ(Text(kVrcStatus), text) << mode;
    }
}

struct Sent {
    int id;
    std::string typed;
    unsigned bank, reg;
    uint16_t sent;
};

TEST_F(RegulatorCommPageTest, SetSendsEachTypedTextInItsRegistersForm) {
    const Sent cases[] = {
        {kFwdVolts, "121.5", 2, 24, 1215}, {kRevVolts, "121.59", 2, 12, 1215},
        {kFwdBandwidth, "2.5", 2, 20, 25}, {kFwdDelay, "300", 2, 25, 44},
        {kRevDelay, "256", 2, 13, 0},      {kAltDelay, "-1", 10, 156, 255},
        {kFwdCompR, "-5", 2, 22, 65486},   {kFwdCompX, "2.7", 2, 21, 20},
        {kRevCompR, "-0.5", 2, 10, 0},     {kRevCompX, "4000", 2, 9, 32767},
        {kRevCompX, "-4000", 2, 9, 32768}, {kLocalVrc, "2.5", 2, 30, 20},
        {kVrcStage3, "7", 2, 33, 70},      {kKz3aVrc, "3.9", 10, 15, 30},
        {kAutoVrcSet2, "6", 2, 37, 60},    {kAutoVrc2Current, "75", 2, 35, 75},
        {kVlcLower, "114.5", 2, 28, 1145}, {kRegId, "42", 2, 15, 42},
        {kCommAddress, "7", 2, 43, 7},     {kResyncTime, "12s", 2, 46, 12},
        {kTxEnableDelay, "x", 2, 47, 0},
    };
    Connect();
    page_.GetRegAndCommConfig(prompts_);
    for (const Sent& c : cases) {
        page_.Form()[c.id].text = c.typed;
        prompts_.answers = {PromptAnswer::kYes, PromptAnswer::kYes};
        page_.SetRegAndCommConfig(prompts_);
        EXPECT_EQ(panel_->getRegister(c.bank, c.reg), c.sent) << c.typed;
    }
}

// 10/41 is never shown: it goes back as read, unless "VRC Stat:" was given another text, whose
// leading integer is sent.
TEST_F(RegulatorCommPageTest, SetRegConfigSendsVrcStatRegisterAsReadOrTheLeadingIntegerTyped) {
    Connect();
    struct Case {
        uint16_t mode;
        std::string typed;  // "" leaves the text as shown
        uint16_t sent;
    };
    for (const Case& c : {Case{0, "", 777}, {2, "", 777}, {2, "8.9", 8}, {0, "x", 0}}) {
        panel_->setRegister(2, 29, c.mode);
        panel_->setRegister(2, 30, 57);
        panel_->setRegister(10, 41, 777);
        page_.GetRegConfig(prompts_);
        if (!c.typed.empty()) {
            Type(ids::regulator::kVrcStatus, c.typed);
        }
        prompts_.answers = {PromptAnswer::kYes};
        page_.SetRegConfig(prompts_);
        EXPECT_EQ(panel_->getRegister(10, 41), c.sent) << c.mode << " " << c.typed;
    }
}

struct Listed {
    int id;
    unsigned bank, reg;
    uint16_t value;
    std::string selected;  // "" for nothing
};

TEST_F(RegulatorCommPageTest, GetSelectsTheItemOfEachValueAndNothingForOneWithout) {
    const Listed cases[] = {
        {kVrcRemote, 10, 14, 0, "KZ-X"},      {kVrcRemote, 10, 14, 1, "KZ3A"},
        {kVrcRemote, 10, 14, 2, ""},          {kVlcEnable, 2, 26, 2, "ON"},
        {kVlcEnable, 2, 26, 1, ""},           {kVrcMode, 2, 29, 3, "AUT/REM"},
        {kVrc2Input, 10, 155, 3, "AUTO INH"}, {kProtocol, 10, 127, 0, ""},
        {kProtocol, 10, 127, 2, "2200"},      {kProtocol, 10, 127, 3, "2200NOA"},
        {kProtocol, 10, 127, 7, "2179"},      {kProtocol, 10, 127, 10, "Special"},
        {kProtocol, 10, 127, 11, ""},         {kCommBaud, 2, 44, 1, "300"},
        {kCommBaud, 2, 44, 6, "19200"},       {kCommBaud, 2, 44, 0, ""},
        {kCommParity, 10, 128, 3, "ODD"},     {kDnpConfirm, 10, 152, 1, "Y"},
        {kDnpSet, 10, 201, 3, "set11"},       {kDnpSet, 10, 201, 0, "set8"},
        {kDnpSet, 10, 201, 15, "set7"},       {kDnpSet, 10, 201, 65535, ""},
    };
    Connect();
    for (const Listed& c : cases) {
        panel_->setRegister(c.bank, c.reg, c.value);
        CPPOneA fresh;
        fresh.GetRegAndCommConfig(prompts_);
        EXPECT_EQ(fresh.Form()[c.id].SelectedText(), c.selected) << c.id << " = " << c.value;
    }
}

TEST_F(RegulatorCommPageTest, APickStoresTheValueOfItsText) {
    const Listed cases[] = {
        {kVrcRemote, 10, 14, 0, "KZ-X"},     {kVrcRemote, 10, 14, 1, "KZ3A"},
        {kVlcEnable, 2, 26, 2, "ON"},        {kVlcEnable, 2, 26, 0, "OFF"},
        {kVrc1Input, 10, 154, 1, "X-COMP"},  {kProtocol, 10, 127, 1, "DNP3.0"},
        {kProtocol, 10, 127, 10, "Special"}, {kCommBaud, 2, 44, 1, "300"},
        {kCommParity, 10, 128, 1, "NONE"},   {kCmRepeatEnable, 10, 157, 1, "Y"},
        {kDnpSet, 10, 201, 8, "DNPcfg"},     {kDnpSet, 10, 201, 13, "Metering"},
        {kDnpSet, 10, 201, 15, "set7"},
    };
    for (const Listed& c : cases) {
        StoreSlot(c.bank, c.reg) = 99;
        Choose(c.id, c.selected);
        EXPECT_EQ(StoreSlot(c.bank, c.reg), c.value) << c.selected;
    }
    EXPECT_TRUE(prompts_.Boxes().empty());
}

TEST_F(RegulatorCommPageTest, ADnpSetFromSet8ToSet15IsRefusedAndDnpcfgSent) {
    Connect();
    page_.GetCommConfig(prompts_);
    for (const char* set : {"set8", "set9", "set12", "set15"}) {
        prompts_.calls.clear();
        StoreSlot(10, 201) = 12;
        Choose(kDnpSet, set);
        ASSERT_EQ(prompts_.Boxes().size(), 1u) << set;
        const MessageBoxRequest box = prompts_.Boxes()[0];
        EXPECT_EQ(box.text, "set8 to set15 Not Yet Supported");
        EXPECT_EQ(box.caption, "Select Another");
        EXPECT_EQ(box.icon, PromptIcon::kStop);
        EXPECT_EQ(box.buttons, PromptButtons::kOk);
        EXPECT_EQ(StoreSlot(10, 201), 8);
        EXPECT_EQ(page_.Form()[kDnpSet].SelectedText(), set);  // until the next Get
    }
    prompts_.answers = {PromptAnswer::kYes};
    page_.SetCommConfig(prompts_);
    EXPECT_EQ(panel_->getRegister(10, 201), 8);
    EXPECT_EQ(page_.Form()[kDnpSet].SelectedText(), "DNPcfg");
}

}  // namespace
