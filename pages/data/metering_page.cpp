#include "pages/data/metering_page.h"

#include <algorithm>

#include "pages/data/metering_fields.h"
#include "pages/data/metering_files.h"
#include "pages/data/min_max_reset.h"
#include "pages/kit/app_flags.h"
#include "pages/kit/export_file_stamp.h"
#include "pages/kit/number_text.h"
#include "pages/kit/page_timer.h"
#include "pages/kit/panel_action.h"
#include "pages/kit/text_file.h"
#include "protocol/block_tables.h"
#include "protocol/packed_time.h"
#include "protocol/panel_registers.h"
#include "protocol/requests.h"
#include "protocol/value_store.h"

namespace text = metering_text;
using namespace ids::metering;
using namespace metering;

namespace {

constexpr ButtonAction<CPPTwo> kButtons[] = {
    {kRefreshMeter, &CPPTwo::RefreshMeter},
    {kRefreshDemand, &CPPTwo::RefreshDemand},
    {kRefreshCounters, &CPPTwo::RefreshCounters},
    {kSetTotalOps, &CPPTwo::SetTotalOps},
    {kResetMinMax, &CPPTwo::ResetMinMaxValues},
    {kAutoRefresh, &CPPTwo::AutoRefreshClicked},
    {kDownloadMetering, &CPPTwo::DownloadMetering},
    {kDownloadHarmonics, &CPPTwo::DownloadHarmonics},
};

// Hidden while automatic refresh runs.
constexpr int kManualButtons[] = {kRefreshMeter, kRefreshDemand,    kRefreshCounters,
                                  kSetTotalOps,  kDownloadMetering, kDownloadHarmonics,
                                  kResetMinMax};

// Controls the page fills or reads outside its tables.
constexpr int kOtherControls[] = {kRefreshEvery, kResetDate, kResetTime};

// The panel's date order, read just before a date is shown. Kept out of the value store: the
// Configuration page's pick of a date order waiting there to be sent must not be overwritten.
int ReadDateOrder() {
    return ReadRegister(kSettingsBank, kDateOrderRegister);
}

// Reads a block table and tells whether every request got its reply.
bool ReadAll(const RegisterBlock* table, int blocks) {
    return EveryReplyCame([=] { ReadBlockTable(table, blocks); });
}

}  // namespace

AutoRefreshSettings& AutoRefresh() {
    static AutoRefreshSettings settings;
    return settings;
}

void ResetAutoRefresh() {
    AutoRefresh() = AutoRefreshSettings{};
}

CPPTwo::CPPTwo() : Page("Metering and Counters", kTemplate, {454, 383}), clock_(LocalTimeNow) {
    // A list sorted as text: "10" comes before "2".
    Texts seconds = {"2", "5", "10"};
    std::sort(seconds.begin(), seconds.end());
    form_[kRefreshEvery].items = seconds;
    AddFields(form_, {kMeterFields, kMeterMinMaxFields, kDemandFields, kCounterFields});
    AddControls(form_, kEmptyDemandFields);
    AddButtons(form_, kButtons);
    AddControls(form_, kOtherControls);
}

std::vector<FieldGroup> CPPTwo::FieldGroups() const {
    std::vector<RegisterBlock> meterReads = Blocks(kMeterBlockTable, kMeterReadBlocks);
    const std::vector<RegisterBlock> minMax = Blocks(kMinMaxBlockTable, kMinMaxReadBlocks);
    meterReads.insert(meterReads.end(), minMax.begin(), minMax.end());
    std::vector<RegisterBlock> counterReads = Blocks(kCountersBlockTable, kCountersReadBlocks);
    counterReads.push_back(kTapRecordsBlock);
    return {
        {"<METER>", kMeterFields, {}, meterReads, {}},
        {"<METER> min/max", kMeterMinMaxFields, {}, minMax, {}},
        {"<FORWARD/REVERSE DEMAND>",
         kDemandFields,
         {},
         Blocks(kDemandBlockTable, kDemandReadBlocks),
         {}},
        {"<COUNTERS>", kCounterFields, {}, counterReads, {}},
    };
}

void CPPTwo::ResetWindow() {
    StopTimer();
    Page::ResetWindow();
}

void CPPTwo::OnCommand(int controlId, UserPrompts& prompts) {
    RunButton(*this, kButtons, controlId, prompts);
}

void CPPTwo::OnSelectionChanged(int controlId, UserPrompts& prompts) {
    (void)prompts;
    if (controlId != kRefreshEvery) {
        return;
    }
    // Only a pick from the list arrives here; typed text changes nothing. A running timer keeps
    // its period until it is next armed.
    const std::string picked = form_[kRefreshEvery].SelectedText();
    if (!picked.empty()) {
        AutoRefresh().intervalMs = LeadingInteger(picked) * 1000;
    }
}

// --- reading --------------------------------------------------------------------------------

void CPPTwo::RefreshMeter(UserPrompts& prompts) {
    if (!RequireConnected(prompts)) {
        return;
    }
    bool complete = false;
    {
        WaitCursor wait(prompts);
        complete = ReadAll(kMeterBlockTable, kMeterReadBlocks);
        ShowFields(form_, kMeterFields);
        ReadBlockTable(kMinMaxBlockTable, kMinMaxReadBlocks);
        ShowFields(form_, kMeterMinMaxFields);
        form_.Changed();
    }
    if (observer_) {
        observer_(MeteringReading::kMeter, complete);
    }
}

void CPPTwo::RefreshDemand(UserPrompts& prompts) {
    if (!RequireConnected(prompts)) {
        return;
    }
    WaitCursor wait(prompts);
    ReadBlockTable(kDemandBlockTable, kDemandReadBlocks);
    ShowFields(form_, kDemandFields);
    form_.Changed();
}

void CPPTwo::RefreshCounters(UserPrompts& prompts) {
    if (!RequireConnected(prompts)) {
        return;
    }
    WaitCursor wait(prompts);
    ReadBlockTable(kCountersBlockTable, kCountersReadBlocks);
    ReadBlockTable(&kTapRecordsBlock, 1);
    ShowFields(form_, kCounterFields);
    form_[kResetDate].text = PackedValueText(kResetDateReg.Slot(), kPackedDate, ReadDateOrder());
    form_[kResetTime].text = PackedValueText(kResetTimeReg.Slot(), kPackedTime, 0);
    form_.Changed();
}

int CPPTwo::RefreshCycle(UserPrompts& prompts) {
    const uint64_t before = RequestTotals().incompleteReplies;
    RefreshMeter(prompts);
    RefreshDemand(prompts);
    RefreshCounters(prompts);
    lastCycleUnanswered_ = static_cast<int>(RequestTotals().incompleteReplies - before);
    if (observer_) {
        observer_(MeteringReading::kCycle, lastCycleUnanswered_ == 0);
    }
    return lastCycleUnanswered_;
}

// --- writing --------------------------------------------------------------------------------

void CPPTwo::SetTotalOps(UserPrompts& prompts) {
    // A long counter as typed: leading blanks, a sign and digits; anything else is 0.
    const auto total = static_cast<uint32_t>(LeadingInteger(form_[kTotalOps].text));
    int32_t* slots = kTotalOpsLow.Slots();
    slots[0] = static_cast<int32_t>(total & 0xFFFF);
    slots[1] = static_cast<int32_t>(total >> 16);
    if (!AskYesNo(prompts, text::kSetTotalOpsQuestion, kConfirmCaption)) {
        return;
    }
    WaitCursor wait(prompts);
    WriteRegisters(kTotalOpsLow.bank, kTotalOpsLow.reg, 2, slots);
}

void CPPTwo::ResetMinMaxValues(UserPrompts& prompts) {
    ResetMinMax(prompts);
}

// --- automatic refresh ----------------------------------------------------------------------

bool CPPTwo::BoxTicked() const {
    const ControlState* box = form_.Find(kAutoRefresh);
    return box != nullptr && box->selected == 1;
}

void CPPTwo::TickBox(bool ticked) {
    form_[kAutoRefresh].selected = ticked ? 1 : 0;
}

void CPPTwo::StartTimer() {
    if (timer_ != nullptr) {
        timer_->Start(kAutoRefreshTimer, AutoRefresh().intervalMs);
    }
}

void CPPTwo::StopTimer() {
    if (timer_ != nullptr) {
        timer_->Stop(kAutoRefreshTimer);
    }
}

void CPPTwo::ShowAutoRefreshRunning(bool running) {
    for (int id : kManualButtons) {
        form_[id].visible = !running;
    }
    form_[kTotalOps].readOnly = running;
}

void CPPTwo::AutoRefreshStep(UserPrompts& prompts) {
    if (!RequireConnected(prompts)) {
        TickBox(false);
        form_.Changed();
        return;
    }
    if (BoxTicked()) {
        AutoRefresh().on = true;
        ShowAutoRefreshRunning(true);
        StartTimer();
    } else {
        AutoRefresh().on = false;
        StopTimer();
        ShowAutoRefreshRunning(false);
    }
    form_.Changed();
}

void CPPTwo::AutoRefreshClicked(UserPrompts& prompts) {
    AutoRefreshStep(prompts);
}

void CPPTwo::OnTimer(int timerId, UserPrompts& prompts) {
    if (timerId != kAutoRefreshTimer) {
        return;
    }
    // Stopped for the whole cycle, so that cycles never overlap; the step re-arms it.
    StopTimer();
    RefreshCycle(prompts);
    if (hidden_) {
        // Hidden while the cycle ran (its requests let the window work): the refresh stays on
        // and resumes when the page is shown again.
        return;
    }
    AutoRefreshStep(prompts);
}

void CPPTwo::OnShowWindow(bool shown, UserPrompts& prompts) {
    hidden_ = !shown;
    if (!shown) {
        StopTimer();
        TickBox(false);
        form_.Changed();
        return;
    }
    if (AutoRefresh().on) {
        TickBox(true);
        AutoRefreshStep(prompts);
    }
}

// --- files ----------------------------------------------------------------------------------

std::string CPPTwo::ProposedName(const char* ending) const {
    return ExportFileStamp(ending, clock_);
}

ExportOutcome CPPTwo::ExportMetering(UserPrompts& prompts) {
    if (!RequireConnected(prompts)) {
        return ExportOutcome::kNotConnected;
    }
    {
        WaitCursor wait(prompts);
        ReadBlockTable(kMinMaxBlockTable, kMinMaxReadBlocks);
        ReadBlockTable(kCountersBlockTable, kCountersReadBlocks);
    }
    return SaveExport(
        prompts,
        {text::kMeteringFileTitle, ProposedName(text::kMeteringEnding), text::kCsvExtension,
         text::kCsvFilter},
        [](const std::string& path) {
            const int recordsOrder = ReadDateOrder();
            const int resetOrder = ReadDateOrder();
            return MeteringFileText(path, recordsOrder, resetOrder);
        },
        true);
}

bool CPPTwo::ReadHarmonics(UserPrompts& prompts) {
    if (!RequireConnected(prompts)) {
        return false;
    }
    bool complete = false;
    {
        WaitCursor wait(prompts);
        complete = ReadAll(kHarmonicsBlockTable, kHarmonicsReadBlocks);
    }
    if (observer_) {
        observer_(MeteringReading::kHarmonics, complete);
    }
    return true;
}

ExportOutcome CPPTwo::ExportHarmonics(UserPrompts& prompts) {
    if (!ReadHarmonics(prompts)) {
        return ExportOutcome::kNotConnected;
    }
    return SaveExport(prompts,
                      {text::kHarmonicsFileTitle, ProposedName(text::kHarmonicsEnding),
                       text::kCsvExtension, text::kCsvFilter},
                      HarmonicsFileText, true);
}
