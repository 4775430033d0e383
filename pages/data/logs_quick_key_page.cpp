#include "pages/data/logs_quick_key_page.h"

#include <algorithm>

#include "pages/data/logs_page_state.h"
#include "pages/data/logs_quick_key_fields.h"
#include "pages/data/quick_screen_names.h"
#include "pages/kit/app_flags.h"
#include "pages/kit/list_selection.h"
#include "pages/kit/number_text.h"
#include "protocol/block_tables.h"
#include "protocol/panel_registers.h"
#include "protocol/requests.h"
#include "protocol/value_store.h"

namespace text = logs_text;
using namespace ids::logs;

namespace {

constexpr ButtonAction<CPPThree> kButtons[] = {
    {kGetLogSetup, &CPPThree::GetLogSetup},
    {kSetLogSetup, &CPPThree::SetLogSetup},
    {kRefresh, &CPPThree::RefreshCounts},
    {kClearLogs, &CPPThree::ClearLogs},
    {kDownloadLogs, &CPPThree::DownloadLogs},
    {kGetQuickMenu, &CPPThree::GetQuickMenu},
    {kSetQuickMenu, &CPPThree::SetQuickMenu},
    {kClearQuickMenu, &CPPThree::ClearQuickMenu},
    {kDefaultQuickMenu, &CPPThree::SetDefaultQuickMenu},
};

// Controls the page fills or reads outside its tables. "Save Current Quick CFG" has no action.
constexpr int kOtherControls[] = {kEventsToDownload, kIntervalsToDownload, kSaveQuickMenu};

int QuickItemId(int index) {
    return kQuickMenuItem1 + index;
}

Texts QuickScreenTexts() {
    return Texts(kQuickScreenNames.begin(), kQuickScreenNames.end());
}

// The quick-menu block's registers are the page's values only while it writes or reads them;
// whether each item holds a screen someone gave (read, picked, or set by a button) is kept
// with them.
int32_t* QuickMenuSlots() {
    return StoreSlots(kSettingsBank, kQuickMenuRegister);
}

void MarkQuickItemsGiven(int from, int to) {
    for (int k = from; k < to; ++k) {
        SetSlotHeld(kSettingsBank, static_cast<unsigned>(kQuickMenuRegister + k), true);
    }
}

}  // namespace

CPPThree::CPPThree() : Page("Logs and Quick Key", kTemplate, {454, 383}) {
    BuildLists();
    AddLists(form_, {setupLists_, intervalLists_, choiceLists_, quickLists_});
    AddFields(form_, {kLogCountFields, kQuickTimeoutFields});
    AddButtons(form_, kButtons);
    AddControls(form_, kOtherControls);
}

void CPPThree::BuildLists() {
    for (const LogSetupBitControl& control : kLogSetupBitControls) {
        setupLists_.push_back(
            {.id = control.id,
             .reg = {kLogBank, kLogSetupWordRegister},
             .items = {"ON", "OFF"},
             .values = kOffOn,
             .rule = ListRule::kBit,
             .bit = control.bit,
             .onPick = [bit = control.bit](const ListField&, const std::string& text,
                                           UserPrompts&) {
                 LogsState().bits[static_cast<std::size_t>(bit)] = text == "ON" ? 1 : 0;
             }});
    }
    setupLists_.push_back(
        {.id = kLogMinMax,
         .reg = {kSettingsBank, kLogMinMaxRegister},
         .items = kInstDmd,
         .onPick = [](const ListField& field, const std::string& text, UserPrompts&) {
             field.reg.Slot() = text == "Dmd" ? 1 : 0;
         }});
    intervalLists_ = {
        {.id = kIntervalHours,
         .reg = {kLogBank, kLogIntervalRegister},
         .items = NumberTexts(99),
         .onPick = [](const ListField&, const std::string& text,
                      UserPrompts&) { LogsState().intervalHours = LeadingInteger(text); }},
        {.id = kIntervalMinutes,
         .reg = {kLogBank, kLogIntervalRegister},
         .items = NumberTexts(59),
         .onPick = [](const ListField&, const std::string& text,
                      UserPrompts&) { LogsState().intervalMinutes = LeadingInteger(text); }},
    };
    choiceLists_ = {
        {.id = kAutoAdjustLogTime,
         .items = {"YES", "NO"},
         .onPick = [this](const ListField&, const std::string& text,
                          UserPrompts& prompts) { PickAutoAdjust(text, prompts); }},
        {.id = kClearChoice,
         .items = {"NONE", "EVENT", "INTV", "BOTH"},
         .onPick = [this](const ListField&, const std::string& text,
                          UserPrompts& prompts) { PickClearChoice(text, prompts); }},
    };
    for (int k = 0; k < kQuickMenuItems; ++k) {
        quickLists_.push_back({.id = QuickItemId(k),
                               .reg = {kSettingsBank, static_cast<uint8_t>(kQuickMenuRegister + k)},
                               .items = QuickScreenTexts(),
                               .onPick = [this, k](const ListField&, const std::string& text,
                                                   UserPrompts&) { PickQuickItem(k, text); }});
    }
}

void CPPThree::ResetWindow() {
    Page::ResetWindow();
}

std::vector<FieldGroup> CPPThree::FieldGroups() const {
    const auto setup = Blocks(kLogSetupBlockTable, kLogSetupReadBlocks);
    const auto quick = Blocks(kQuickConfigurationBlock, kQuickConfigurationReadBlocks);
    std::vector<RegisterBlock> quickReads = quick;
    quickReads.push_back({kSettingsBank, kQuickDisplayTimeRegister, 2});
    return {
        {"<LOG SETUP>", {}, setupLists_, setup, setup},
        {"<LOG SETUP> interval", {}, intervalLists_, setup, setup},
        {"<LOGS> Avail",
         kLogCountFields,
         {},
         {{kLogBank, kIntervalCountRegister, 1}, {kLogBank, kEventCountRegister, 1}},
         {}},
        {"Quick Key Config", kQuickTimeoutFields, quickLists_, quickReads, quick},
    };
}

void CPPThree::OnCommand(int controlId, UserPrompts& prompts) {
    RunButton(*this, kButtons, controlId, prompts);
}

void CPPThree::OnSelectionChanged(int controlId, UserPrompts& prompts) {
    for (const auto* lists : {&setupLists_, &intervalLists_, &choiceLists_, &quickLists_}) {
        if (OnListPicked(form_, *lists, controlId, prompts)) {
            form_.Changed();
            return;
        }
    }
}

// --- log set-up -------------------------------------------------------------------------------

void CPPThree::ShowLogSetup() {
    ShowLists(form_, setupLists_);
    const IntervalParts interval = SplitInterval(StoreSlot(kLogBank, kLogIntervalRegister));
    ShowListValue(form_[kIntervalHours], intervalLists_[0].items, interval.hours);
    ShowListValue(form_[kIntervalMinutes], intervalLists_[1].items, interval.minutes);
    RememberShown(form_, {kLogBank, kLogIntervalRegister});
    ShowListValue(form_[kAutoAdjustLogTime], kNoYes, LogsState().autoAdjustLogTime);
}

void CPPThree::TakeLogSetup() {
    LogsPageState& state = LogsState();
    state.bits = LogSetupBits(StoreSlot(kLogBank, kLogSetupWordRegister));
    const IntervalParts interval = SplitInterval(StoreSlot(kLogBank, kLogIntervalRegister));
    state.intervalHours = interval.hours;
    state.intervalMinutes = interval.minutes;
}

void CPPThree::GetLogSetup(UserPrompts& prompts) {
    if (!RequireConnected(prompts)) {
        return;
    }
    WaitCursor wait(prompts);
    ReadUnlessStoreOnly([] {
        if (PanelVersion(StoreSlot(kSettingsBank, kVersionRegister)) >= kLogSetupTableVersion) {
            ReadBlockTable(kLogSetupBlockTable, kLogSetupReadBlocks);
            return;
        }
        // Older panels: the word and the interval only; 10/216 keeps what the store holds.
        ReadRegisters(kLogBank, kLogSetupWordRegister, 1,
                      StoreSlots(kLogBank, kLogSetupWordRegister));
        ReadRegisters(kLogBank, kLogIntervalRegister, 1,
                      StoreSlots(kLogBank, kLogIntervalRegister));
    });
    ShowLogSetup();
    TakeLogSetup();
    form_.Changed();
}

void CPPThree::SetLogSetup(UserPrompts& prompts) {
    const LogsPageState& state = LogsState();
    // The word and the interval as shown, then the flags picked since: the bits without a
    // list go back as they came.
    StoreLists(form_, setupLists_);
    StoreLists(form_, intervalLists_);
    int32_t& word = StoreSlot(kLogBank, kLogSetupWordRegister);
    word = LogSetupWord(state.bits) | (word & ~kLogSetupFlagMask);
    StoreSlot(kLogBank, kLogIntervalRegister) =
        JoinInterval({state.intervalHours, state.intervalMinutes});
    // Whatever the panel's version: the set-up goes out as the whole table.
    const SetOutcome outcome =
        ConfirmAndWrite(prompts, text::kSetupQuestion, kLogSetupBlockTable, kLogSetupWriteBlocks);
    if (outcome == SetOutcome::kWritten || outcome == SetOutcome::kDeclined) {
        GetLogSetup(prompts);
    }
}

// --- log counts and clearing ------------------------------------------------------------------

void CPPThree::RefreshCounts(UserPrompts& prompts) {
    if (!RequireConnected(prompts)) {
        return;
    }
    WaitCursor wait(prompts);
    GetLogSetup(prompts);
    if (!Flags().storeOnly) {
        ReadRegisters(kLogBank, kIntervalCountRegister, 1,
                      StoreSlots(kLogBank, kIntervalCountRegister));
        ReadRegisters(kLogBank, kEventCountRegister, 1, StoreSlots(kLogBank, kEventCountRegister));
    }
    ShowFields(form_, kLogCountFields);
    LogsPageState& state = LogsState();
    state.downloadEvents = StoreSlot(kLogBank, kEventCountRegister);
    state.downloadIntervals = StoreSlot(kLogBank, kIntervalCountRegister);
    form_[kEventsToDownload].text = std::to_string(state.downloadEvents);
    form_[kIntervalsToDownload].text = std::to_string(state.downloadIntervals);
    form_[kDownloadLogs].visible = true;
    form_.Changed();
}

void CPPThree::PickAutoAdjust(const std::string& text, UserPrompts& prompts) {
    int& flag = LogsState().autoAdjustLogTime;
    if (text == "YES") {
        flag = AskYesNo(prompts, text::kAutoAdjustQuestion, text::kAutoAdjustCaption) ? 1 : 0;
        if (flag == 0) {
            SelectByPrefix(form_[kAutoAdjustLogTime], "NO");
        }
    } else if (text == "NO") {
        flag = 0;
    }
}

void CPPThree::PickClearChoice(const std::string& text, UserPrompts& prompts) {
    struct Choice {
        const char* text;
        const char* question;
        const char* caption;
        int events;
        int intervals;
    };
    static constexpr Choice kChoices[] = {
        {"EVENT", text::kClearEventsQuestion, text::kClearEventsCaption, 1, 0},
        {"INTV", text::kClearIntervalsQuestion, text::kClearIntervalsCaption, 0, 1},
        {"BOTH", text::kClearBothQuestion, text::kClearBothCaption, 1, 1},
    };
    LogsPageState& state = LogsState();
    state.clearEvents = 0;
    state.clearIntervals = 0;
    for (const Choice& choice : kChoices) {
        if (text != choice.text) {
            continue;
        }
        if (AskYesNo(prompts, choice.question, choice.caption)) {
            state.clearEvents = choice.events;
            state.clearIntervals = choice.intervals;
        } else {
            SelectByPrefix(form_[kClearChoice], "NONE");
        }
        return;
    }
    // "NONE", or text typed into the box: nothing is cleared.
}

void CPPThree::ClearLogs(UserPrompts& prompts) {
    if (!RequireConnected(prompts)) {
        return;
    }
    PickClearChoice(form_[kClearChoice].SelectedText(), prompts);
    form_.Changed();
    const LogsPageState& state = LogsState();
    int32_t reply = 0;  // the panel's answer to a clear is not shown
    if (state.clearEvents == 1) {
        SendClearCommand(kLogBank, kClearEventsRegister, 1, &reply);
    }
    if (state.clearIntervals == 1) {
        SendClearCommand(kLogBank, kClearIntervalsRegister, 1, &reply);
    }
    RefreshCounts(prompts);
}

CPPThree::DownloadQuantities CPPThree::TakeDownloadQuantities() {
    const auto quantity = [this](int id) {
        return std::clamp(LeadingInteger(form_[id].text), 0, kLogRecordCapacity);
    };
    LogsPageState& state = LogsState();
    state.downloadEvents = quantity(kEventsToDownload);
    state.downloadIntervals = quantity(kIntervalsToDownload);
    return {state.downloadEvents, state.downloadIntervals};
}

bool CPPThree::AutoAdjustLogTime() const {
    return LogsState().autoAdjustLogTime == 1;
}

void CPPThree::HideDownloadLogsButton() {
    form_[kDownloadLogs].visible = false;
    form_.Changed();
}

ExportOutcome CPPThree::ExportLogs(UserPrompts& prompts) {
    if (!RequireConnected(prompts)) {
        return ExportOutcome::kNotConnected;
    }
    const DownloadQuantities quantities = TakeDownloadQuantities();
    const ExportOutcome outcome = ::DownloadLogs(
        prompts, {quantities.events, quantities.intervals, AutoAdjustLogTime(), clock_});
    if (outcome == ExportOutcome::kWritten) {
        HideDownloadLogsButton();
    }
    return outcome;
}

// --- quick menu -------------------------------------------------------------------------------

void CPPThree::PickQuickItem(int item, const std::string& text) {
    LogsPageState& state = LogsState();
    const int value = ListPosition(quickLists_[static_cast<std::size_t>(item)].items, text);
    if (value >= 0 && value <= kLastQuickScreen) {
        state.quickMenu[static_cast<std::size_t>(item)] = value;
        MarkQuickItemsGiven(item, item + 1);
        if (item + 1 < kQuickMenuItems) {
            form_[QuickItemId(item + 1)].enabled = true;
        }
        return;
    }
    // "NONE" or no screen at all: the menu ends here.
    MarkQuickItemsGiven(item, kQuickMenuItems);
    for (int k = item; k < kQuickMenuItems; ++k) {
        state.quickMenu[static_cast<std::size_t>(k)] = kNoQuickScreen;
        if (k > item) {
            ControlState& box = form_[QuickItemId(k)];
            box.Select(kQuickNoneIndex);
            box.enabled = false;
        }
    }
}

void CPPThree::ShowQuickMenu(UserPrompts& prompts) {
    int screens = 0;
    for (int k = 0; k < kQuickMenuItems; ++k) {
        const int32_t value = LogsState().quickMenu[static_cast<std::size_t>(k)];
        const bool screen = value >= 0 && value <= kLastQuickScreen;
        form_[QuickItemId(k)].Select(screen ? value : kQuickNoneIndex);
        screens += screen ? 1 : 0;
    }
    form_.Changed();
    if (screens == 0) {
        ShowOk(prompts, text::kQuickEmpty, text::kQuickCaption);
    }
    ShowFields(form_, kQuickTimeoutFields);
    form_.Changed();
}

void CPPThree::GetQuickMenu(UserPrompts& prompts) {
    if (!RequireConnected(prompts)) {
        return;
    }
    WaitCursor wait(prompts);
    ReadUnlessStoreOnly([] {
        ReadBlockTable(kQuickConfigurationBlock, kQuickConfigurationReadBlocks);
        ReadRegisters(kSettingsBank, kQuickDisplayTimeRegister, 2,
                      StoreSlots(kSettingsBank, kQuickDisplayTimeRegister));
    });
    const int32_t* slots = QuickMenuSlots();
    std::copy(slots, slots + kQuickMenuItems, LogsState().quickMenu.begin());
    ShowQuickMenu(prompts);
}

bool CPPThree::WriteQuickMenu(UserPrompts& prompts) {
    bool answered = false;
    {
        WaitCursor wait(prompts);
        const auto& menu = LogsState().quickMenu;
        std::copy(menu.begin(), menu.end(), QuickMenuSlots());
        answered = EveryReplyCame(
            [] { WriteBlockTable(kQuickConfigurationBlock, kQuickConfigurationWriteBlocks); });
    }
    GetQuickMenu(prompts);
    return answered;
}

void CPPThree::SetQuickMenu(UserPrompts& prompts) {
    if (!RequireConnected(prompts) ||
        !AcceptIncompleteData(prompts, kQuickConfigurationBlock, kQuickConfigurationWriteBlocks)) {
        return;
    }
    WriteQuickMenu(prompts);
}

void CPPThree::ClearQuickMenu(UserPrompts& prompts) {
    LogsState().quickMenu = LogsPageState::QuickMenuCleared();
    MarkQuickItemsGiven(0, kQuickMenuItems);
    if (!RequireConnected(prompts)) {
        return;
    }
    WriteQuickMenu(prompts);
}

void CPPThree::SetDefaultQuickMenu(UserPrompts& prompts) {
    LogsState().quickMenu = kDefaultQuickMenuScreens;
    MarkQuickItemsGiven(0, kQuickMenuItems);
    if (!RequireConnected(prompts)) {
        return;
    }
    if (WriteQuickMenu(prompts)) {
        ShowOk(prompts, text::kDefaultQuickSent, text::kQuickCaption);
    } else {
        ShowOk(prompts, kNoReplyText, kNoReplyCaption, PromptIcon::kWarning);
    }
}
