#pragma once
// CRegToolDlg's behaviour: the connection controls, Connect/Disconnect, the tab pages by panel
// version, the download under the progress window, Close Tabs and Exit. Toolkit-free; a view
// copies its form to the widgets and forwards the user's actions here.
#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/connection_settings.h"
#include "app/settings_compare.h"
#include "pages/data/logs_quick_key_page.h"
#include "pages/data/maintenance_page.h"
#include "pages/data/metering_page.h"
#include "pages/kit/export_file_stamp.h"
#include "pages/kit/form_model.h"
#include "pages/kit/user_prompts.h"
#include "pages/settings/configuration_page.h"
#include "pages/settings/diag_pwds_alerts_page.h"
#include "pages/settings/pseudo_manual_page.h"
#include "pages/settings/regulator_comm_page.h"

inline constexpr char kMainWindowCaption[] = "VOLTSCOPE 5.03";

// What one panel action did on the line.
struct Activity {
    uint64_t requests = 0;
    uint64_t incomplete = 0;  // without a complete reply
    uint64_t cancelled = 0;   // not sent: the user cancelled
};
// How "Create Report" ended.
enum class ReportOutcome { kCancelled, kNotWritten, kWritten };

class CRegToolDlg {
  public:
    explicit CRegToolDlg(UserPrompts& prompts);
    CRegToolDlg(const CRegToolDlg&) = delete;
    CRegToolDlg& operator=(const CRegToolDlg&) = delete;

    // Fills the connection controls from "conset.kzx", or the defaults after telling the user.
    // The desktop tool runs the two halves apart, so that the box appears over a filled window.
    void OnInitDialog() {
        LoadConnectionControls();
        ReportSettingsFile();
    }
    void LoadConnectionControls();
    void ReportSettingsFile();

    // Runs one panel action (a button, a menu command, a timer's refresh) and then tells in the
    // status line what it got from the panel: how many requests went without a reply. The
    // indicator turns amber while the last action had such requests.
    void RunPanelAction(const std::function<void()>& action);

    // A connection combo box's selection changed (the form already holds the new selection).
    void OnSelectionChanged(int controlId);
    // The Connect/Disconnect button, the hidden Exit button and the menu commands.
    void OnCommand(int controlId);

    void OnConnectButton();
    // The settings pages from the panel as Connect downloads them, under the progress window.
    void DownloadSettings();
    // The settings pages to the panel as Connect sends an imported file after Yes.
    void UploadSettings();
    // Reads the link register (11/239): the panel counts as answering when it is not 0.
    bool PanelAnswers();
    // The File-menu commands (app/file_commands.cpp): "Save Config File" and "Open Config file".
    void SaveConfigFile();
    void OpenConfigFile();
    // "Create Report": the settings from a fresh download or from a configuration file,
    // written as the settings report and opened with the desktop's program for it.
    ReportOutcome CreateReport();
    // "Compare With Config File…": what the pages hold against a chosen configuration file,
    // handed to the comparison listener (the view's window). Nothing the pages or the store
    // hold changes, and nothing is sent. The desktop tool never shows passwords.
    std::optional<SettingsComparison> CompareWithConfigFile(bool showPasswords = false);
    void SetComparisonListener(std::function<void(const SettingsComparison&)> listener) {
        comparisonListener_ = std::move(listener);
    }
    // Where the default file names take the local time; the system clock by default.
    void SetClock(std::function<std::tm()> clock) { clock_ = std::move(clock); }
    // refreshPages: show the store on the pages (configuration-file open does this).
    void SetUpTabs(bool refreshPages);
    void Disconnect();
    void OnCloseTabs();
    // Closes the port if open and ends any wait cursor; the view then ends the process.
    void OnExit();

    // The command-line tool opens the port before its verb runs: the window takes that port as
    // its connection, as a Connect leaves it before the download.
    void AdoptOpenPort();
    // Whether Connect saves the connection settings to "conset.kzx" (the command-line tool,
    // which has its own options, leaves the desktop tool's file alone).
    void SetSavesConnectionSettings(bool saves) { savesConnectionSettings_ = saves; }

    FormModel& Form() { return form_; }
    const std::vector<Page*>& Tabs() const { return tabs_; }
    // Every page object, in tab order, the Maintenance page included.
    std::vector<Page*> AllPages();
    bool ConnectToggle() const { return toggle_; }
    int PortNumber() const { return portNumber_; }
    int BaudRate() const { return baudRate_; }
    int ParityCode() const { return parityCode_; }

    // Told after the tabs were added or removed; the view rebuilds its tab control.
    void SetTabsListener(std::function<void()> listener) { tabsListener_ = std::move(listener); }
    // Called when Exit has done its part.
    void SetExitHandler(std::function<void(int)> handler) { exitHandler_ = std::move(handler); }

    CPPOne& Configuration() { return configuration_; }
    CPPOneA& RegulatorComm() { return regulatorComm_; }
    CPPTwo& Metering() { return metering_; }
    CPPThree& Logs() { return logs_; }
    CPPFour& DiagPwdsAlerts() { return diag_; }
    CPPFive& Maintenance() { return maintenance_; }
    CPPSix& PseudoManual() { return pseudoManual_; }

  private:
    void ApplySettings(const ConnectionSettings& settings);
    void SetIndicator(bool connected);
    void ReportActivity(const Activity& activity);
    void RemoveAllTabs();
    void AddTab(Page& page);
    void ReadVersionWord();
    void ApplyVersionRules();
    void UploadImported(bool panelAnswers);
    void SaveSettings();

    UserPrompts& prompts_;
    FormModel form_;
    bool toggle_ = false;
    int portNumber_ = 1;
    int baudRate_ = 9600;
    int parityCode_ = 1;
    SettingsFileState settingsFile_ = SettingsFileState::kLoaded;
    bool lastActionIncomplete_ = false;
    bool savesConnectionSettings_ = true;

    CPPOne configuration_;
    CPPOneA regulatorComm_;
    CPPTwo metering_;
    CPPThree logs_;
    CPPFour diag_;
    CPPFive maintenance_;
    CPPSix pseudoManual_;
    std::vector<Page*> tabs_;

    std::function<std::tm()> clock_ = LocalTimeNow;
    std::function<void()> tabsListener_;
    std::function<void(int)> exitHandler_;
    // What the pages show: "Panel" after Connect, or the name of the file opened.
    std::string pagesSource_;
    std::function<void(const SettingsComparison&)> comparisonListener_;
};

// Box texts of the main window.
namespace main_window_text {
inline constexpr char kPortNotAvailable[] = "COM PORT NOT AVAILABLE";
inline constexpr char kInvalidPortCaption[] = "INVALID COMM PORT";
inline constexpr char kConnectionError[] =
    "Communication Unsuccessful Settings were not sent to Panel\n\n CLICK the Disconnect "
    "Button\n Check Your Settings, Connection(Cable) and Try Again";
inline constexpr char kConnectionErrorCaption[] = "CONNECTION ERROR";
inline constexpr char kImportedQuestion[] =
    "CONFIG (.KZ0) FILE WAS IMPORTED \n Do You want to send Imported data to Panel?";
inline constexpr char kImportedCaption[] = "FILE ACTIVITY DETECTED";
inline constexpr char kImportedNotSent[] =
    "FILE WAS IMPORTED\n These Settings have not been Sent to Panel yet \n You may Edit the "
    "settings and Set them Now";
inline constexpr char kImportedNotSentCaption[] = "MANUALLY SET IMPORTED DATA";
inline constexpr char kCloseTabsQuestion[] =
    "Connected,Do you want to close Tabs? \n Connection will be Terminated";
inline constexpr char kCloseTabsCaption[] = "CLOSE TABS";
inline constexpr char kSettingsMissing[] = "Saved Connection Settings \nFile not found";
inline constexpr char kSettingsInvalid[] = "Invalid Saved Connection Settings File";
inline constexpr char kLoadingDefaultsCaption[] = "LOADING DEFAULTS ";
inline constexpr char kSettingsNotSaved[] = "Connection Settings were not saved";
inline constexpr char kSettingsNotSavedCaption[] = "SAVING SETTINGS";
inline constexpr char kProgressTitle[] = "Progress";
inline constexpr char kDownloading[] = "Downloading Data From Panel...\n\nPlease Wait.";
inline constexpr char kUploading[] = "Sending Imported Data To Panel...\n\nPlease Wait.";
inline constexpr char kNoTabs[] = "ERROR";
inline constexpr char kNoTabsCaption[] = "NO FILE OPERATION DETECTED";
inline constexpr char kSaveConfigTitle[] = "Save CFG File";
inline constexpr char kOpenConfigTitle[] = "OPEN CFG File";
inline constexpr char kConfigExtension[] = "kz0";
inline constexpr char kConfigFilter[] = "KZ0 FILE (*.kz0)|*.kz0||";
inline constexpr char kConfigEnding[] = "_cfg.kz0";
inline constexpr char kAlreadyConnected[] =
    "You are already connected \n To Open a file Disconnect and Open a File";
inline constexpr char kAlreadyConnectedCaption[] = "CONNECTION ACTIVE";
inline constexpr char kInvalidConfig[] = "This is not a Valid VOLTSCOPE5 CFG File";
inline constexpr char kInvalidFileCaption[] = "INVALID FILE";
inline constexpr char kConfigOpened[] = "CFG File Opened Successfully";
inline constexpr char kConfigOpenedCaption[] = "Verify Screens";
inline constexpr char kReportQuestion[] =
    "Yes -> Download data from panel and create report \n No -> Import data from .kz0 file and "
    "create report \n Cancel -> Exit without creating report";
inline constexpr char kReportCaption[] = "CREATE REPORT FROM PANEL?";
inline constexpr char kSaveReportTitle[] = "Save Report File";
inline constexpr char kReportExtension[] = "CSV";
inline constexpr char kReportFilter[] = "REPORT FILE (*.csv)|*.csv||";
inline constexpr char kReportEnding[] = "_rep.csv";
}  // namespace main_window_text

// The status line: "12 requests, 3 without reply. Last complete reply at 14:03:07.", with
// "; cancelled after 12 of 92 requests" before the full stop when the user cancelled.
std::string ActivityText(const Activity& activity, const std::string& lastReply);

namespace main_window_text {}  // namespace main_window_text
