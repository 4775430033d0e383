#include "pages/settings/configuration_page.h"

#include <algorithm>

#include "app/app_flags.h"
#include "app/not_connected.h"
#include "pages/data/min_max_reset.h"
#include "pages/settings/list_selection.h"
#include "pages/settings/memo_text.h"
#include "pages/settings/numeric_fields.h"
#include "pages/settings/tap_changer_defaults.h"
#include "protocol/block_tables.h"
#include "protocol/packed_time.h"
#include "protocol/panel_registers.h"
#include "protocol/requests.h"
#include "protocol/value_store.h"
#include "resources/resource_ids.h"

namespace text = configuration_text;

namespace {

constexpr uint8_t kBank = kSettingsBank;
constexpr uint8_t kDaylightSavingRegister = 202;
constexpr uint8_t kMemo1Register = 30;
constexpr uint8_t kMemo2Register = 35;

struct ButtonCaption {
    int id;
    const char* caption;
};
constexpr ButtonCaption kButtons[] = {
    {ids::kGetCfgAndAdvCfg, "Get <CFG> and \n <ADV CFG> Config"},
    {ids::kSetCfgAndAdvCfg, "Set<CFG> and \n <ADV CFG> Config"},
    {ids::kGetConfig, "Get Config"},
    {ids::kSetConfig, "Set Config"},
    {ids::kGetAdvConfig, " Get Adv Cfg"},
    {ids::kSetAdvConfig, "Set Adv Cfg"},
    {ids::kSyncClock, "Sync PC Date n Time"},
    {ids::kResetMinMaxButton, "Reset Min Max"},
    {ids::kViewImportedData, "View Imported Data"},
    {ids::kTestButton, "Test Button"},
};

struct Memo {
    int id;
    uint8_t reg;
};
constexpr Memo kMemos[] = {{ids::kMemo1, kMemo1Register}, {ids::kMemo2, kMemo2Register}};

int32_t VersionWord() {
    return StoreSlot(kBank, kVersionRegister);
}

std::tm LocalNow() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

void NotConnected(UserPrompts& prompts) {
    ShowOk(prompts, kNotConnectedText, kNotConnectedCaption);
}

}  // namespace

CPPOne::CPPOne() : Page("Configuration", 103, {454, 383}), clock_(LocalNow) {
    BuildForm();
}

void CPPOne::BuildForm() {
    form_ = FormModel{};
    for (const ButtonCaption& b : kButtons) {
        form_[b.id].caption = b.caption;
    }
    // Hidden in the template.
    for (int id :
         {ids::kViewImportedData, ids::kTestButton, ids::kHiddenEdit1, ids::kHiddenEdit2}) {
        form_[id].visible = false;
    }
    for (const ListField& field : ConfigurationLists()) {
        form_[field.id].items = field.items;
    }
    for (const auto* fields : {&ConfigurationFields(), &AdvancedConfigurationFields()}) {
        for (const NumericField& field : *fields) {
            form_[field.id];
        }
    }
    for (const Memo& memo : kMemos) {
        form_[memo.id];
    }
    for (int id : {ids::kSoftwareVersion, ids::kPanelTime, ids::kPanelDate}) {
        form_[id].readOnly = true;
    }
    memoTips_.clear();
}

void CPPOne::EmptyTexts() {
    // The form model outlives the window; keeping the version rules' disabled state would
    // leave a newer panel's fields disabled after the next Connect.
    BuildForm();
    form_.Changed();
}

void CPPOne::OnCommand(int controlId, UserPrompts& prompts) {
    switch (controlId) {
        case ids::kGetCfgAndAdvCfg:
            GetCfgAndAdvCfg(prompts);
            break;
        case ids::kSetCfgAndAdvCfg:
            SetCfgAndAdvCfg(prompts);
            break;
        case ids::kGetConfig:
            GetConfig(prompts);
            break;
        case ids::kSetConfig:
            SetConfig(prompts);
            break;
        case ids::kGetAdvConfig:
            GetAdvConfig(prompts);
            break;
        case ids::kSetAdvConfig:
            SetAdvConfig(prompts);
            break;
        case ids::kSyncClock:
            SyncPanelClock(prompts);
            break;
        case ids::kResetMinMaxButton:
            ResetMinMax(prompts);
            break;
        case ids::kViewImportedData:
            ViewImportedData(prompts);
            break;
        case ids::kTestButton: {
            int32_t scratch = 0;
            ReadRegisters(kSettingsBank, kTapChangerTypeRegister, 1, &scratch);
            break;
        }
        default:
            break;
    }
}

void CPPOne::GetCfgAndAdvCfg(UserPrompts& prompts) {
    if (!Flags().connected) {
        NotConnected(prompts);
        return;
    }
    GetConfig(prompts);
    GetAdvConfig(prompts);
}

void CPPOne::SetCfgAndAdvCfg(UserPrompts& prompts) {
    if (!Flags().connected) {
        NotConnected(prompts);
        return;
    }
    WaitCursor wait(prompts);
    SetConfig(prompts);
    SetAdvConfig(prompts);
}

// --- showing the store ------------------------------------------------------------------------

void CPPOne::ShowList(const ListField& field) {
    ShowListValue(form_[field.id], field.values,
                  ListFieldValue(field, StoreSlot(field.bank, field.reg)));
}

void CPPOne::ShowLists(int group) {
    for (const ListField& field : ConfigurationLists()) {
        if (field.group == group) {
            ShowList(field);
        }
    }
}

void CPPOne::GetConfig(UserPrompts& prompts) {
    if (!Flags().connected) {
        NotConnected(prompts);
        return;
    }
    WaitCursor wait(prompts);
    if (!Flags().storeOnly) {
        ReadBlockTable(kConfigurationBlockTable, kConfigurationShortReadBlocks);
        ReadBlockTable(kConfigurationBlockTable, kConfigurationReadBlocks);
    }
    for (const NumericField& field : ConfigurationFields()) {
        form_[field.id].text = FieldText(field, StoreSlot(field.bank, field.reg));
    }
    for (const Memo& memo : kMemos) {
        form_[memo.id].text = MemoFromRegisters(StoreSlots(kBank, memo.reg));
        AttachMemoTip(memo.id);
    }
    const int32_t word = VersionWord();
    subVersion_ = VersionHighBits(word);
    form_[ids::kSoftwareVersion].text = ScaledText(PanelVersion(word) * 100 + subVersion_, 4, 4);
    ShowLists(kConfigurationGroup);
    form_.Changed();
}

void CPPOne::ShowClock() {
    const int32_t order = StoreSlot(kBank, kDateOrderRegister);
    form_[ids::kPanelDate].text =
        PackedValueText(StoreSlot(kBank, kClockDateRegister), kPackedDate, order);
    form_[ids::kPanelTime].text =
        PackedValueText(StoreSlot(kBank, kClockTimeRegister), kPackedTime, 0);
}

void CPPOne::ShowModelDependentLists() {
    const int version = PanelVersion(VersionWord());
    if (version < 308 || subVersion_ <= 2) {
        return;
    }
    ShowList(*FindListField(ConfigurationLists(), ids::kTimeoutDisplayScreen));
    if (subVersion_ == 5) {
        ShowList(*FindListField(ConfigurationLists(), ids::kRemoteAuto));
        return;
    }
    if (version >= 411) {
        for (int id : {ids::kLowerLed, ids::kP2Calc, ids::kU2P2Out, ids::kRemoteButton}) {
            ShowList(*FindListField(ConfigurationLists(), id));
        }
    }
}

void CPPOne::GetAdvConfig(UserPrompts& prompts) {
    if (!Flags().connected) {
        NotConnected(prompts);
        return;
    }
    WaitCursor wait(prompts);
    if (!Flags().storeOnly) {
        ReadBlockTable(kAdvancedConfigurationBlockTable, kAdvancedConfigurationReadBlocks);
    }
    for (const NumericField& field : AdvancedConfigurationFields()) {
        form_[field.id].text = FieldText(field, StoreSlot(field.bank, field.reg));
    }
    ShowClock();
    ShowLists(kAdvancedGroup);
    ShowModelDependentLists();
    form_.Changed();
}

// --- sending --------------------------------------------------------------------------------

void CPPOne::SetConfig(UserPrompts& prompts) {
    for (const NumericField& field : ConfigurationFields()) {
        StoreSlot(field.bank, field.reg) = FieldValue(field, form_[field.id].text);
    }
    for (const Memo& memo : kMemos) {
        ControlState& edit = form_[memo.id];
        edit.text = FilterMemoText(FirstCharacters(edit.text, kMemoLength));
        PackMemo(edit.text, StoreSlots(kBank, memo.reg));
    }
    form_.Changed();
    if (Flags().storeOnly) {
        return;
    }
    if (!Flags().connected) {
        NotConnected(prompts);
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
        if (AskYesNo(prompts, question, text::kConfirmCaption)) {
            WriteBlockTable(kConfigurationBlockTable, kConfigurationWriteBlocks);
        }
    }
    GetConfig(prompts);
}

void CPPOne::SetAdvConfig(UserPrompts& prompts) {
    for (const NumericField& field : AdvancedConfigurationFields()) {
        StoreSlot(field.bank, field.reg) = FieldValue(field, form_[field.id].text);
    }
    if (Flags().storeOnly) {
        return;
    }
    if (!Flags().connected) {
        NotConnected(prompts);
        return;
    }
    {
        WaitCursor wait(prompts);
        if (AskYesNo(prompts, text::kAdvancedQuestion, text::kConfirmCaption)) {
            WriteBlockTable(kAdvancedConfigurationBlockTable, kAdvancedConfigurationWriteBlocks);
        }
    }
    GetAdvConfig(prompts);
}

void CPPOne::SyncPanelClock(UserPrompts& prompts) {
    if (!AskYesNo(prompts, text::kSyncQuestion, text::kSyncCaption)) {
        return;
    }
    if (!Flags().connected) {
        NotConnected(prompts);
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
    StoreSlot(kBank, kClockTimeRegister) = PackClockTime(now.tm_hour, now.tm_min, now.tm_sec);
    StoreSlot(kBank, kClockDateRegister) = *date;
    ShowClock();
    form_.Changed();
    WriteRegisters(kBank, kClockTimeRegister, 2, StoreSlots(kBank, kClockTimeRegister));
    WriteRegisters(kBank, kDateOrderRegister, 1, StoreSlots(kBank, kDateOrderRegister));
    WriteRegisters(kBank, kDaylightSavingRegister, 1, StoreSlots(kBank, kDaylightSavingRegister));
    ReadRegisters(kBank, kClockTimeRegister, 2, StoreSlots(kBank, kClockTimeRegister));
    ReadRegisters(kBank, kDateOrderRegister, 1, StoreSlots(kBank, kDateOrderRegister));
    ReadRegisters(kBank, kDaylightSavingRegister, 1, StoreSlots(kBank, kDaylightSavingRegister));
}

void CPPOne::ViewImportedData(UserPrompts& prompts) {
    if (!Flags().storeOnly) {
        ShowOk(prompts, text::kNotImported, text::kNotImportedCaption);
        return;
    }
    // Restored rather than cleared, so an open link is never taken for a closed one.
    const bool wasConnected = Flags().connected;
    Flags().connected = true;
    GetConfig(prompts);
    GetAdvConfig(prompts);
    Flags().connected = wasConnected;
}

// --- the user's picks and edits ---------------------------------------------------------------

bool CPPOne::PanelShowsRemoteAuto() const {
    // The panels on which a Get shows "Remote - Auto:" from register 208.
    return PanelVersion(VersionWord()) >= 308 && subVersion_ == 5;
}

void CPPOne::StoreSelection(const ListField& field, UserPrompts& prompts) {
    const std::string selected = form_[field.id].SelectedText();
    if (field.id == ids::kTapChanger) {
        TapChangerSelectionChanged(selected, prompts);
        return;
    }
    if (field.id == ids::kRemoteAuto && !PanelShowsRemoteAuto()) {
        return;
    }
    StoreListPick(field, selected, StoreSlot(field.bank, field.reg));
}

void CPPOne::OnSelectionChanged(int controlId, UserPrompts& prompts) {
    if (const ListField* field = FindListField(ConfigurationLists(), controlId)) {
        StoreSelection(*field, prompts);
    }
}

void CPPOne::AttachMemoTip(int memoId) {
    memoTips_.insert(memoId);
}

void CPPOne::OnEditChanged(int controlId) {
    if ((controlId == ids::kMemo1 || controlId == ids::kMemo2) && !memoTips_.contains(controlId)) {
        AttachMemoTip(controlId);
        form_.Changed();
    }
}

std::string CPPOne::ToolTip(int controlId) const {
    return memoTips_.contains(controlId) ? kMemoToolTip : std::string{};
}
