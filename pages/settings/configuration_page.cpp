#include "pages/settings/configuration_page.h"

#include "pages/data/min_max_reset.h"
#include "pages/kit/app_flags.h"
#include "pages/kit/export_file_stamp.h"
#include "pages/kit/number_text.h"
#include "pages/settings/configuration_fields.h"
#include "pages/settings/memo_text.h"
#include "pages/settings/tap_changer_defaults.h"
#include "protocol/block_tables.h"
#include "protocol/packed_time.h"
#include "protocol/panel_registers.h"
#include "protocol/requests.h"
#include "protocol/value_store.h"

namespace text = configuration_text;
using namespace ids::config;

namespace {

constexpr uint8_t kBank = kSettingsBank;
constexpr uint8_t kDaylightSavingRegister = 202;

struct Memo {
    int id;
    uint8_t reg;
};
constexpr Memo kMemos[] = {{kMemo1, 30}, {kMemo2, 35}};

constexpr ButtonAction<CPPOne> kButtons[] = {
    {kGetCfgAndAdvCfg, &CPPOne::GetCfgAndAdvCfg},
    {kSetCfgAndAdvCfg, &CPPOne::SetCfgAndAdvCfg},
    {kGetConfig, &CPPOne::GetConfig},
    {kSetConfig, &CPPOne::SetConfig},
    {kGetAdvConfig, &CPPOne::GetAdvConfig},
    {kSetAdvConfig, &CPPOne::SetAdvConfig},
    {kSyncClock, &CPPOne::SyncPanelClock},
    {kResetMinMax, &CPPOne::ResetMinMaxValues},
    {kViewImportedData, &CPPOne::ViewImportedData},
    {kTestButton, &CPPOne::TestButton},
};

// Controls the page fills or reads outside its tables.
constexpr int kOtherControls[] = {kSoftwareVersion, kPanelTime,   kPanelDate,  kMemo1,
                                  kMemo2,           kHiddenEdit1, kHiddenEdit2};

const Texts kOffOn = {"OFF", "ON"};
const Texts kLimits = {"10%", "8.75%", "7.5%", "6.25%", "5%"};

int32_t VersionWord() {
    return StoreSlot(kBank, kVersionRegister);
}

// An alert enable: "N" clears its bit of 10/178, any other text sets it.
ListField AlertBit(int id, int bit) {
    return {.id = id,
            .reg = {10, 178},
            .items = {"Y", "N"},
            .values = {"N", "Y"},
            .rule = ListRule::kBit,
            .bit = bit};
}

}  // namespace

CPPOne::CPPOne() : Page("Configuration", kTemplate, {454, 383}), clock_(LocalTimeNow) {
    BuildLists();
    AddLists(form_, {configLists_, advancedLists_, modelLists_});
    AddFields(form_, {kConfigurationFields, kAdvancedConfigurationFields});
    AddButtons(form_, kButtons);
    AddControls(form_, kOtherControls);
}

void CPPOne::BuildLists() {
    configLists_ = {
        {.id = kTapChanger,
         .reg = {10, kTapChangerTypeRegister},
         .items = Texts(kTapChangerNames.begin(), kTapChangerNames.end()),
         .onPick = [](const ListField&, const std::string& text,
                      UserPrompts& prompts) { TapChangerSelectionChanged(text, prompts); }},
        {.id = kRegulatorType, .reg = {10, 1}, .items = {"STRAIGHT", "INVERTED"}},
        {.id = kSystemConnection, .reg = {2, 19}, .items = {"WYE", "DELTA LAG", "DELTA LEAD"}},
        {.id = kDeltaPower, .reg = {10, 153}, .items = {"OPEN", "CLOSED"}},
        {.id = kUtilityPolarity, .reg = {10, 2}, .items = {"NORM", "REV"}},
        {.id = kPrimaryVoltageMax, .reg = {10, 160}, .items = {"65K", "650K"}},
        {.id = kPowerFlow,
         .reg = {2, 11},
         .items = {"F LOCK", "R LOCK", "IDLE R", "BI-DIR", "NEUT R", "CO-GEN"}},
        {.id = kBasisVolts, .reg = {10, 64}, .items = {"120", "125", "115"}},
    };
    advancedLists_ = {
        {.id = kMeterVolts, .reg = {10, 3}, .items = {"SEC", "PRI"}, .values = {"PRI", "SEC"}},
        {.id = kCurrentThreshold,
         .reg = {2, 14},
         .items = NumberTexts(10),
         .rule = ListRule::kNumber},
        {.id = kDateFormat, .reg = {10, kDateOrderRegister}, .items = {"M/D/Y", "D/M/Y", "Y/M/D"}},
        {.id = kDaylightSaving, .reg = {10, kDaylightSavingRegister}, .items = kOffOn},
        {.id = kDemandType, .reg = {10, 12}, .items = {"Thermal", "SlidWindow"}},
        {.id = kAutoVariamp, .reg = {10, 203}, .items = kOffOn},
        {.id = kSoftVariamp, .reg = {10, 204}, .items = kOffOn},
        {.id = kRaiseLimit, .reg = {10, 136}, .items = kLimits},
        {.id = kLowerLimit, .reg = {10, 137}, .items = kLimits},
        {.id = kSlaveMaster, .reg = {10, 205}, .items = {"OFF", "MA", "SL", "S2"}},
        {.id = kTapAlert, .reg = {10, 158}, .items = {"ENABLE", "DISABLE"}},
        AlertBit(kAlertMetering, 2),
        AlertBit(kAlertControlComm, 1),
        AlertBit(kAlertSystemStatus, 0),
        {.id = kTapResync, .reg = {10, 191}, .items = kOffOn},
        {.id = kCommAutoInhibit, .reg = {10, 133}, .items = kOffOn},
    };
    modelLists_ = {
        {.id = kTimeoutDisplayScreen,
         .reg = {10, 207},
         .items = {"<METER>", "TapControl", "Vld", "Vcomp", "Ild", "TotalOps"}},
        {.id = kLowerLed, .reg = {10, 213}, .items = {"Solid", "Blink"}},
        {.id = kP2Calc, .reg = {10, 217}, .items = {"ON", "OFF"}, .values = {"OFF", "ON"}},
        {.id = kU2P2Out, .reg = {10, 214}, .items = {"Vload", "Toggle", "U2", "P2"}},
        {.id = kRemoteButton, .reg = {10, 208}, .items = {"Enable", "Disable"}},
        // Shares 10/208 with "Remote Button (KZ-4A):"; stored only on the panels whose Get
        // shows it, so a pick cannot overwrite the other meaning of the register.
        {.id = kRemoteAuto,
         .reg = {10, 208},
         .items = {"Toggle", "Remote", "Auto"},
         .onPick =
             [this](const ListField& field, const std::string& text, UserPrompts&) {
                 if (PanelShowsRemoteAuto()) {
                     StorePick(field, text);
                 }
             }},
    };
}

void CPPOne::ResetWindow() {
    Page::ResetWindow();
    memoTips_.clear();
}

std::vector<FieldGroup> CPPOne::FieldGroups() const {
    const auto configReads = Blocks(kConfigurationBlockTable, kConfigurationReadBlocks);
    const auto configWrites = Blocks(kConfigurationBlockTable, kConfigurationWriteBlocks);
    const auto advReads =
        Blocks(kAdvancedConfigurationBlockTable, kAdvancedConfigurationReadBlocks);
    const auto advWrites =
        Blocks(kAdvancedConfigurationBlockTable, kAdvancedConfigurationWriteBlocks);
    return {
        {"<CONFIGURE>", kConfigurationFields, configLists_, configReads, configWrites},
        {"<ADV CONFIGURE>", kAdvancedConfigurationFields, advancedLists_, advReads, advWrites},
        {"<ADV CONFIGURE> by model", {}, modelLists_, advReads, advWrites},
    };
}

void CPPOne::OnCommand(int controlId, UserPrompts& prompts) {
    RunButton(*this, kButtons, controlId, prompts);
}

void CPPOne::GetCfgAndAdvCfg(UserPrompts& prompts) {
    if (!RequireConnected(prompts)) {
        return;
    }
    GetConfig(prompts);
    GetAdvConfig(prompts);
}

void CPPOne::SetCfgAndAdvCfg(UserPrompts& prompts) {
    if (!RequireConnected(prompts)) {
        return;
    }
    WaitCursor wait(prompts);
    SetConfig(prompts);
    SetAdvConfig(prompts);
}

// --- showing the store ------------------------------------------------------------------------

void CPPOne::GetConfig(UserPrompts& prompts) {
    if (!RequireConnected(prompts)) {
        return;
    }
    WaitCursor wait(prompts);
    ReadUnlessStoreOnly([] {
        ReadBlockTable(kConfigurationBlockTable, kConfigurationShortReadBlocks);
        ReadBlockTable(kConfigurationBlockTable, kConfigurationReadBlocks);
    });
    ShowFields(form_, kConfigurationFields);
    for (const Memo& memo : kMemos) {
        form_[memo.id].text = MemoFromRegisters(StoreSlots(kBank, memo.reg));
        RememberShownEdit(form_, memo.id, {kBank, memo.reg}, kMemoRegisters);
        memoTips_.insert(memo.id);
    }
    const int32_t word = VersionWord();
    subVersion_ = VersionHighBits(word);
    form_[kSoftwareVersion].text = ScaledText(PanelVersion(word) * 100 + subVersion_, 4, 4);
    ShowLists(form_, configLists_);
    form_.Changed();
}

void CPPOne::ShowClock() {
    const int32_t order = StoreSlot(kBank, kDateOrderRegister);
    form_[kPanelDate].text =
        PackedValueText(StoreSlot(kBank, kClockDateRegister), kPackedDate, order);
    form_[kPanelTime].text = PackedValueText(StoreSlot(kBank, kClockTimeRegister), kPackedTime, 0);
}

void CPPOne::ShowModelDependentLists() {
    const int version = PanelVersion(VersionWord());
    if (version < 308 || subVersion_ <= 2) {
        return;
    }
    auto show = [this](int id) { ShowList(form_, *FindList(modelLists_, id)); };
    show(kTimeoutDisplayScreen);
    if (subVersion_ == 5) {
        show(kRemoteAuto);
        return;
    }
    if (version >= 411) {
        for (int id : {kLowerLed, kP2Calc, kU2P2Out, kRemoteButton}) {
            show(id);
        }
    }
}

void CPPOne::GetAdvConfig(UserPrompts& prompts) {
    if (!RequireConnected(prompts)) {
        return;
    }
    WaitCursor wait(prompts);
    ReadUnlessStoreOnly(
        [] { ReadBlockTable(kAdvancedConfigurationBlockTable, kAdvancedConfigurationReadBlocks); });
    ShowFields(form_, kAdvancedConfigurationFields);
    ShowClock();
    ShowLists(form_, advancedLists_);
    ShowModelDependentLists();
    form_.Changed();
}

// --- sending --------------------------------------------------------------------------------

void CPPOne::SetConfig(UserPrompts& prompts) {
    StoreFields(form_, kConfigurationFields);
    for (const Memo& memo : kMemos) {
        if (RestoreUnedited(form_, memo.id, {kBank, memo.reg}, kMemoRegisters)) {
            continue;
        }
        ControlState& edit = form_[memo.id];
        edit.text = FilterMemoText(FirstCharacters(edit.text, kMemoLength));
        PackMemo(edit.text, StoreSlots(kBank, memo.reg));
        MarkStoredEdit(form_, memo.id, {kBank, memo.reg}, kMemoRegisters);
    }
    StoreLists(form_, configLists_);
    form_.Changed();
    if (Flags().storeOnly || !RequireConnected(prompts)) {
        return;
    }
    // Before the type check: a differing type writes the DIAG defaults at once.
    if (!AcceptIncompleteData(prompts, kConfigurationBlockTable, kConfigurationWriteBlocks)) {
        return;
    }
    {
        WaitCursor wait(prompts);
        int32_t panelType = 0;
        ReadRegisters(kSettingsBank, kTapChangerTypeRegister, 1, &panelType);
        const int32_t pageType = StoreSlot(kSettingsBank, kTapChangerTypeRegister);
        const char* question = text::kTypeUnchanged;
        if (panelType != pageType) {
            ApplyDefaultsForPanelType(pageType);
            question = text::kTypeChanged;
        }
        if (AskYesNo(prompts, question, kConfirmCaption)) {
            WriteBlockTable(kConfigurationBlockTable, kConfigurationWriteBlocks);
        }
    }
    GetConfig(prompts);
}

void CPPOne::SetAdvConfig(UserPrompts& prompts) {
    StoreFields(form_, kAdvancedConfigurationFields);
    StoreLists(form_, advancedLists_);
    StoreLists(form_, modelLists_);
    const SetOutcome outcome =
        ConfirmAndWrite(prompts, text::kAdvancedQuestion, kAdvancedConfigurationBlockTable,
                        kAdvancedConfigurationWriteBlocks);
    if (outcome == SetOutcome::kWritten || outcome == SetOutcome::kDeclined) {
        GetAdvConfig(prompts);
    }
}

void CPPOne::SyncPanelClock(UserPrompts& prompts) {
    if (!AskYesNo(prompts, text::kSyncQuestion, text::kSyncCaption) || !RequireConnected(prompts)) {
        return;
    }
    WaitCursor wait(prompts);
    const std::tm now = clock_();
    const std::optional<uint16_t> date =
        PackClockDate(now.tm_year + 1900, now.tm_mon + 1, now.tm_mday);
    if (!date) {
        ShowOk(prompts, text::kDateNotPackable, text::kSyncCaption, PromptIcon::kWarning);
        return;
    }
    // The date order and daylight saving go out as the lists show them.
    StoreLists(form_, advancedLists_);
    constexpr RegisterBlock kListsSent[] = {{kBank, kDateOrderRegister, 1},
                                            {kBank, kDaylightSavingRegister, 1}};
    if (!AcceptIncompleteData(prompts, kListsSent)) {
        return;
    }
    StoreSlot(kBank, kClockTimeRegister) = PackClockTime(now.tm_hour, now.tm_min, now.tm_sec);
    StoreSlot(kBank, kClockDateRegister) = *date;
    SetSlotsHeld(StoreSlots(kBank, kClockTimeRegister), 2, true);
    ShowClock();
    form_.Changed();
    WriteRegisters(kBank, kClockTimeRegister, 2, StoreSlots(kBank, kClockTimeRegister));
    WriteRegisters(kBank, kDateOrderRegister, 1, StoreSlots(kBank, kDateOrderRegister));
    WriteRegisters(kBank, kDaylightSavingRegister, 1, StoreSlots(kBank, kDaylightSavingRegister));
    ReadRegisters(kBank, kClockTimeRegister, 2, StoreSlots(kBank, kClockTimeRegister));
    ReadRegisters(kBank, kDateOrderRegister, 1, StoreSlots(kBank, kDateOrderRegister));
    ReadRegisters(kBank, kDaylightSavingRegister, 1, StoreSlots(kBank, kDaylightSavingRegister));
}

void CPPOne::ResetMinMaxValues(UserPrompts& prompts) {
    ResetMinMax(prompts);
}

void CPPOne::ViewImportedData(UserPrompts& prompts) {
    ::ViewImportedData(prompts, [&] {
        GetConfig(prompts);
        GetAdvConfig(prompts);
    });
}

void CPPOne::TestButton(UserPrompts&) {
    int32_t scratch = 0;
    ReadRegisters(kSettingsBank, kTapChangerTypeRegister, 1, &scratch);
}

// --- the user's picks and edits ---------------------------------------------------------------

bool CPPOne::PanelShowsRemoteAuto() const {
    // The panels on which a Get shows "Remote - Auto:" from register 208.
    return PanelVersion(VersionWord()) >= 308 && subVersion_ == 5;
}

void CPPOne::OnSelectionChanged(int controlId, UserPrompts& prompts) {
    for (const auto* lists : {&configLists_, &advancedLists_, &modelLists_}) {
        if (OnListPicked(form_, *lists, controlId, prompts)) {
            return;
        }
    }
}

void CPPOne::OnEditChanged(int controlId) {
    if ((controlId == kMemo1 || controlId == kMemo2) && !memoTips_.contains(controlId)) {
        memoTips_.insert(controlId);
        form_.Changed();
    }
}

std::string CPPOne::ToolTip(int controlId) const {
    return memoTips_.contains(controlId) ? kMemoToolTip : std::string{};
}
