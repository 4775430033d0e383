#pragma once
// "Maintenance" (template 144), only for panels from version 4.10 on: the four maintenance
// settings (maintenance status block 10/209..212), the grades of the contacts (maintenance
// counters block 10/219..230), the clear command, and the backup of the counters to a .mn0 file
// and their restore into a panel that replaces the old one on the same regulator.
#include <ctime>
#include <functional>
#include <vector>

#include "pages/kit/fields.h"
#include "pages/kit/page.h"
#include "pages/kit/panel_action.h"

// The first panel software version (x 100) that keeps maintenance records: older panels get no
// Maintenance tab.
inline constexpr int kMaintenanceVersion = 410;

// How a backup or a restore ended, for voltscope-cli.
enum class MaintenanceOutcome {
    kDone,            // file written, or values sent to the panel
    kNotConnected,    // after the not-connected box
    kCancelled,       // the warning answered No, or a file dialog cancelled
    kDisabled,        // "Maintain Records" is N on the panel
    kRepliesMissing,  // the counters were not all read: no file
    kNotWritten,      // the file could not be written
    kInvalidFile,     // the file could not be read or is no maintenance file: nothing changed
    kNotSent,         // CONFIRM SETTINGS answered No: the values stay in the store only
    kNoReply,         // the panel did not answer: nothing is known to have been read or sent
};

class CPPFive : public Page {
  public:
    CPPFive();

    void ResetWindow() override;
    std::vector<FieldGroup> FieldGroups() const override;
    void OnCommand(int controlId, UserPrompts& prompts) override;
    void OnSelectionChanged(int controlId, UserPrompts& prompts) override;

    void GetMaintenanceSettings(UserPrompts& prompts);
    void SetMaintenanceSettings(UserPrompts& prompts);
    void ClearMaintenanceData(UserPrompts& prompts);
    void RefreshMaintenanceStatus(UserPrompts& prompts);
    void BackUpMaintenanceData(UserPrompts& prompts) { BackUp(prompts); }
    void LoadMaintenanceData(UserPrompts& prompts) { Restore(prompts); }

    MaintenanceOutcome BackUp(UserPrompts& prompts);
    MaintenanceOutcome Restore(UserPrompts& prompts);

    // Where the backup's default file name takes the local time; the system clock by default.
    void SetClock(std::function<std::tm()> clock) { clock_ = std::move(clock); }

  private:
    enum class Statuses { kDisabled, kNoReply, kIncomplete, kRead };
    // Reads "Maintain Records" into the store: kRead when it is Y; when it is N, says so with
    // `disabledText` (kDisabled); without a reply says that the panel did not answer (kNoReply).
    Statuses MaintainRecords(UserPrompts& prompts, const char* disabledText);
    void ShowGrades();
    // The refresh: "Maintain Records", then the counters and their grades; "N/A" in every
    // status field when records are not kept.
    Statuses ReadStatuses(UserPrompts& prompts);

    std::vector<ListField> settingsLists_;
    std::vector<ListField> clearLists_;
    std::function<std::tm()> clock_;
};

// Box texts and file dialogs of the page.
namespace maintenance_text {
inline constexpr char kClearAllQuestion[] = "Would you like to Clear all Maintenance Data?";
inline constexpr char kClearAllCaption[] = "CLEAR ALL MAINTENANCE DATA";
inline constexpr char kClearCountersQuestion[] = "Would you like to Clear Maintenance Op Counters?";
inline constexpr char kClearCountersCaption[] = "CLEAR MAINTENANCE OP Counters";
inline constexpr char kDisabled[] = "MaintainRcrds? is set to N";
inline constexpr char kDisabledForRestore[] =
    "MaintainRcrds? is set to N \n Enable this setting to Upload Backed Up data";
inline constexpr char kDisabledCaption[] = "MAINTENANCE DISABLED";
inline constexpr char kNotAvailable[] = "N/A";
inline constexpr char kBackUpWarning[] =
    "Data will be downloaded from a panel \nand Saved into a File \nWarning! Only perform a "
    "backup of this data \nwhen the control panel is being replaced \non the same regulator "
    "where the data is downloaded from.\nDo you want to continue with this backup?";
inline constexpr char kBackUpCaption[] = "Save Maintenance Data";
inline constexpr char kBackUpCancelled[] = "Maintenance Download Cancelled";
inline constexpr char kBackUpCancelledCaption[] = "MAINTENANCE DOWNLOAD CANCELLED";
inline constexpr char kBackUpIncomplete[] =
    "Some maintenance values were not read from the panel.\nNo file was written: a backup "
    "holding 0 for them would lose the wear history.\nCheck the connection and try again.";
inline constexpr const char* kBackUpIncompleteCaption = kIncompleteDataCaption;
inline constexpr char kFileEnding[] = "_maint.mn0";
inline constexpr char kSaveTitle[] = "Save Maintenance Data File";
inline constexpr char kOpenTitle[] = "OPEN Maintenance Data File";
inline constexpr char kExtension[] = "mn0";
inline constexpr char kFilter[] = "MN0 FILE (*.mn0)|*.mn0||";
inline constexpr char kInvalidFile[] = "This is not a Valid VOLTSCOPE5 Maintenance Data File";
inline constexpr char kInvalidFileCaption[] = "INVALID FILE";
inline constexpr char kOpened[] = "Maintenance Data File Opened Successfully";
inline constexpr char kOpenedCaption[] = "Verify Screens";
inline constexpr char kSendQuestion[] = "Set Maintenance Data \n (Send to Panel)";
inline constexpr char kSent[] = "Settings Sent to Panel\n Reboot Panel Now";
inline constexpr char kSentCaption[] = "REBOOT PANEL";
inline constexpr char kNotSent[] =
    "FILE WAS IMPORTED\n Maintenance Data has not been Sent to Panel";
inline constexpr char kNotSentCaption[] = " BACKED UP Maintenance DATA NOT UPLOADED";
inline constexpr char kNoReplyToRecords[] =
    "The panel did not answer: whether it keeps maintenance records is not known.\nCheck the "
    "connection and try again.";
inline constexpr char kSendUnconfirmed[] =
    "The panel did not answer while the maintenance data was sent:\n it may not hold the "
    "backed-up data.\n Do not reboot the panel. Check the connection and load the file again.";
inline constexpr char kSendUnconfirmedCaption[] = "MAINTENANCE DATA NOT CONFIRMED";
}  // namespace maintenance_text
