#include "pages/data/maintenance_page.h"

#include <algorithm>

#include "pages/data/contact_grade.h"
#include "pages/data/maintenance_file.h"
#include "pages/kit/export_file_stamp.h"
#include "pages/kit/text_file.h"
#include "protocol/block_tables.h"
#include "protocol/derived_values.h"
#include "protocol/requests.h"
#include "protocol/value_store.h"
#include "resources/ids/maintenance.h"

namespace text = maintenance_text;
using namespace ids::maintenance;

namespace {

constexpr uint8_t kBank = kMaintenanceBank;
constexpr uint8_t kMaintainRecordsRegister = 209;
constexpr uint8_t kClearCommandRegister = 219;
constexpr int32_t kClearCountersCommand = 1;
constexpr int32_t kClearAllCommand = 2;

constexpr ButtonAction<CPPFive> kButtons[] = {
    {kGetSettings, &CPPFive::GetMaintenanceSettings},
    {kSetSettings, &CPPFive::SetMaintenanceSettings},
    {kClearData, &CPPFive::ClearMaintenanceData},
    {kRefresh, &CPPFive::RefreshMaintenanceStatus},
    {kBackUp, &CPPFive::BackUpMaintenanceData},
    {kLoadBackUp, &CPPFive::LoadMaintenanceData},
};

// The grade fields in register order, 10/220 (contacts overall) to 10/230 (contact 8).
constexpr int kGradeFields[] = {kContactsOverall, kMovingContact, kContact0,     kContact0 + 1,
                                kContact0 + 2,    kContact0 + 3,  kContact0 + 4, kContact0 + 5,
                                kContact0 + 6,    kContact0 + 7,  kContact0 + 8};
constexpr unsigned kFirstGradeRegister = kLargestCounterRegister;
static_assert(std::size(kGradeFields) == kLastCounterRegister - kFirstGradeRegister + 1);

const Texts kNoYes = {"N", "Y"};

// "Y" asks `question`; Yes holds `command` for the clear button, anything else holds 0.
ListField ClearList(int id, const char* question, const char* caption, int32_t command) {
    return {.id = id,
            .reg = {kBank, kClearCommandRegister},
            .items = {"Y", "N"},
            .onPick = [=](const ListField& field, const std::string& picked, UserPrompts& prompts) {
                const bool yes = picked == "Y" && AskYesNo(prompts, question, caption);
                field.reg.Slot() = yes ? command : 0;
            }};
}

}  // namespace

CPPFive::CPPFive() : Page("Maintenance", kTemplate, {454, 383}), clock_(LocalTimeNow) {
    settingsLists_ = {
        {.id = kMaintainRecords, .reg = {kBank, kMaintainRecordsRegister}, .items = kNoYes},
        {.id = kTapChangerType,
         .reg = {kBank, kMechanismCodeRegister},
         .items = {"AUTO-SEL", "MECH-C", "MECH-D", "MECH-B", "MECH-E", "MECH-A"}},
        {.id = kBalanceWinding, .reg = {kBank, 211}, .items = kNoYes},
        {.id = kRangeOfRegulation,
         .reg = {kBank, 212},
         .items = NumberTexts(20),
         .rule = ListRule::kNumber},
    };
    clearLists_ = {
        ClearList(kClearAll, text::kClearAllQuestion, text::kClearAllCaption, kClearAllCommand),
        ClearList(kClearOpCounters, text::kClearCountersQuestion, text::kClearCountersCaption,
                  kClearCountersCommand),
    };
    AddLists(form_, {settingsLists_, clearLists_});
    AddButtons(form_, kButtons);
    AddControls(form_, kGradeFields);
}

void CPPFive::ResetWindow() {
    Page::ResetWindow();
}

std::vector<FieldGroup> CPPFive::FieldGroups() const {
    const auto status = Blocks(kMaintenanceStatusBlock, kMaintenanceStatusReadBlocks);
    return {
        {"<MAINTENANCE> Settings", {}, settingsLists_, status, status},
        {"clear command",
         {},
         clearLists_,
         Blocks(kMaintenanceCountersBlock, kMaintenanceCountersReadBlocks),
         {{kBank, kClearCommandRegister, 1}}},
    };
}

void CPPFive::OnCommand(int controlId, UserPrompts& prompts) {
    RunButton(*this, kButtons, controlId, prompts);
}

void CPPFive::OnSelectionChanged(int controlId, UserPrompts& prompts) {
    if (!OnListPicked(form_, settingsLists_, controlId, prompts)) {
        OnListPicked(form_, clearLists_, controlId, prompts);
    }
}

// --- settings ---------------------------------------------------------------------------------

void CPPFive::GetMaintenanceSettings(UserPrompts& prompts) {
    if (!RequireConnected(prompts)) {
        return;
    }
    {
        WaitCursor wait(prompts);
        // The panel's 10/210 gives way to the code worked out from the full-load current.
        ReadMaintenanceStatus();
    }
    ShowLists(form_, settingsLists_);
    form_.Changed();
}

void CPPFive::SetMaintenanceSettings(UserPrompts& prompts) {
    if (!RequireConnected(prompts)) {
        return;
    }
    StoreLists(form_, settingsLists_);
    if (!AcceptIncompleteData(prompts, kMaintenanceStatusBlock, kMaintenanceStatusWriteBlocks)) {
        return;
    }
    {
        WaitCursor wait(prompts);
        WriteBlockTable(kMaintenanceStatusBlock, kMaintenanceStatusWriteBlocks);
    }
    GetMaintenanceSettings(prompts);
}

void CPPFive::ClearMaintenanceData(UserPrompts& prompts) {
    if (!RequireConnected(prompts)) {
        return;
    }
    WriteRegisters(kBank, kClearCommandRegister, 1, StoreSlots(kBank, kClearCommandRegister));
}

// --- statuses ---------------------------------------------------------------------------------

CPPFive::Statuses CPPFive::MaintainRecords(UserPrompts& prompts, const char* disabledText) {
    ReadRegisters(kBank, kMaintainRecordsRegister, 1, StoreSlots(kBank, kMaintainRecordsRegister));
    if (!LastRequest().completeReply) {
        // A silent panel is not a panel that keeps no records.
        ShowOk(prompts, text::kNoReplyToRecords, kNoReplyCaption, PromptIcon::kWarning);
        return Statuses::kNoReply;
    }
    if (StoreSlot(kBank, kMaintainRecordsRegister) != 0) {
        return Statuses::kRead;
    }
    ShowOk(prompts, disabledText, text::kDisabledCaption);
    return Statuses::kDisabled;
}

void CPPFive::ShowGrades() {
    unsigned reg = kFirstGradeRegister;
    for (int id : kGradeFields) {
        form_[id].text = GradeContact(StoreSlot(kBank, reg++));
    }
    form_.Changed();
}

CPPFive::Statuses CPPFive::ReadStatuses(UserPrompts& prompts) {
    const Statuses records = MaintainRecords(prompts, text::kDisabled);
    if (records != Statuses::kRead) {
        for (int id : kGradeFields) {
            form_[id].text = records == Statuses::kDisabled ? text::kNotAvailable : "";
        }
        form_.Changed();
        return records;
    }
    bool complete = false;
    {
        WaitCursor wait(prompts);
        // Contacts overall becomes the largest of the counters.
        complete = EveryReplyCame(ReadMaintenanceCounters);
    }
    WaitCursor wait(prompts);
    ShowGrades();
    return complete ? Statuses::kRead : Statuses::kIncomplete;
}

void CPPFive::RefreshMaintenanceStatus(UserPrompts& prompts) {
    ReadStatuses(prompts);
}

// --- backup and restore -----------------------------------------------------------------------

MaintenanceOutcome CPPFive::BackUp(UserPrompts& prompts) {
    if (!RequireConnected(prompts)) {
        return MaintenanceOutcome::kNotConnected;
    }
    const PromptAnswer answer = prompts.MessageBox({text::kBackUpWarning,
                                                    text::kBackUpCaption,
                                                    PromptButtons::kYesNo,
                                                    PromptIcon::kWarning,
                                                    PromptAnswer::kNo,
                                                    {}});
    if (answer != PromptAnswer::kYes) {
        ShowOk(prompts, text::kBackUpCancelled, text::kBackUpCancelledCaption);
        return MaintenanceOutcome::kCancelled;
    }
    const Statuses statuses = ReadStatuses(prompts);
    if (statuses == Statuses::kDisabled) {
        return MaintenanceOutcome::kDisabled;
    }
    if (statuses == Statuses::kNoReply) {
        return MaintenanceOutcome::kNoReply;
    }
    // This file is what a new panel gets as its wear history: zeros standing in for lost
    // replies would wipe it.
    if (statuses == Statuses::kIncomplete) {
        ShowOk(prompts, text::kBackUpIncomplete, text::kBackUpIncompleteCaption,
               PromptIcon::kWarning);
        return MaintenanceOutcome::kRepliesMissing;
    }
    switch (SaveExport(prompts,
                       {text::kSaveTitle, ExportFileStamp(text::kFileEnding, clock_),
                        text::kExtension, text::kFilter},
                       [](const std::string&) {
                           return BlockFileText(kMaintenanceFileHeader, kMaintenanceCountersBlock,
                                                kMaintenanceCountersReadBlocks);
                       })) {
        case ExportOutcome::kWritten:
            return MaintenanceOutcome::kDone;
        case ExportOutcome::kCancelled:
            return MaintenanceOutcome::kCancelled;
        default:
            return MaintenanceOutcome::kNotWritten;
    }
}

MaintenanceOutcome CPPFive::Restore(UserPrompts& prompts) {
    if (!RequireConnected(prompts)) {
        return MaintenanceOutcome::kNotConnected;
    }
    const std::optional<std::string> path =
        prompts.OpenFileName({text::kOpenTitle, {}, text::kExtension, text::kFilter});
    if (!path) {
        return MaintenanceOutcome::kCancelled;
    }
    const std::optional<std::string> content =
        LoadTextFile(prompts, *path, kMaintenanceFileMaxBytes);
    if (!content) {
        return MaintenanceOutcome::kInvalidFile;
    }
    // Checked whole before anything is taken: a foreign or cut-off file changes nothing.
    const std::optional<MaintenanceValues> values = ParseMaintenanceFile(*content);
    if (!values) {
        ShowOk(prompts, text::kInvalidFile, text::kInvalidFileCaption);
        return MaintenanceOutcome::kInvalidFile;
    }
    int32_t* slots = StoreSlots(kBank, kMaintenanceFirstRegister);
    std::copy(values->begin(), values->end(), slots);
    SetSlotsHeld(slots, static_cast<int>(values->size()), true);
    // The file restores counters; it never commands the panel to clear anything.
    StoreSlot(kBank, kClearCommandRegister) = 0;
    ShowOk(prompts, text::kOpened, text::kOpenedCaption);

    switch (MaintainRecords(prompts, text::kDisabledForRestore)) {
        case Statuses::kDisabled:
            return MaintenanceOutcome::kDisabled;
        case Statuses::kNoReply:
            return MaintenanceOutcome::kNoReply;
        default:
            break;
    }
    {
        WaitCursor wait(prompts);
        ApplyLargestCounter();
        ShowGrades();
    }
    if (!AskYesNo(prompts, text::kSendQuestion, kConfirmCaption)) {
        ShowOk(prompts, text::kNotSent, text::kNotSentCaption);
        return MaintenanceOutcome::kNotSent;
    }
    bool sent = false;
    {
        WaitCursor wait(prompts);
        sent = EveryReplyCame(
            [] { WriteBlockTable(kMaintenanceCountersBlock, kMaintenanceCountersWriteBlocks); });
    }
    if (!sent) {
        // Rebooting now would start the new panel without its wear history.
        ShowOk(prompts, text::kSendUnconfirmed, text::kSendUnconfirmedCaption,
               PromptIcon::kWarning);
        return MaintenanceOutcome::kNoReply;
    }
    ShowOk(prompts, text::kSent, text::kSentCaption);
    return MaintenanceOutcome::kDone;
}
