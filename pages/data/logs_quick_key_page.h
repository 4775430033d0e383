#pragma once
// "Logs and Quick Key" (template 107): the log set-up (11/1, 10/216, 11/3), the panel's log
// counts and the clearing of its logs, and the panel's quick menu (10/161..175). The choices
// the page keeps between windows live in LogsState() (logs_page_state.h).
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "pages/data/log_download.h"
#include "pages/kit/fields.h"
#include "pages/kit/page.h"
#include "pages/kit/panel_action.h"

class CPPThree : public Page {
  public:
    CPPThree();

    // What the main window runs on Connect and after an import; it runs RefreshCounts after
    // either.
    void Download(UserPrompts& prompts) override { GetLogSetup(prompts); }
    void Upload(UserPrompts& prompts) override { SetLogSetup(prompts); }
    void ResetWindow() override;
    std::vector<FieldGroup> FieldGroups() const override;

    void OnCommand(int controlId, UserPrompts& prompts) override;
    void OnSelectionChanged(int controlId, UserPrompts& prompts) override;

    void GetLogSetup(UserPrompts& prompts);
    void SetLogSetup(UserPrompts& prompts);
    void RefreshCounts(UserPrompts& prompts);
    void ClearLogs(UserPrompts& prompts);
    void GetQuickMenu(UserPrompts& prompts);
    void SetQuickMenu(UserPrompts& prompts);
    void ClearQuickMenu(UserPrompts& prompts);
    void SetDefaultQuickMenu(UserPrompts& prompts);
    // "Download Logs": the quantities and the auto-adjust flag below, then the log download;
    // the button is hidden once the file is written.
    void DownloadLogs(UserPrompts& prompts) { ExportLogs(prompts); }
    ExportOutcome ExportLogs(UserPrompts& prompts);
    // The PC's clock of the log download; the system clock by default.
    void SetClock(std::function<std::time_t()> now) { clock_ = std::move(now); }

    // For the log download: the "Dld Qty:" texts as numbers (0 .. 1000: more is cut to 1000,
    // a negative number counts as 0), kept as the download quantities; the auto-adjust flag;
    // and the button it hides once a download is complete.
    struct DownloadQuantities {
        int events = 0;
        int intervals = 0;
    };
    DownloadQuantities TakeDownloadQuantities();
    bool AutoAdjustLogTime() const;
    void HideDownloadLogsButton();

  private:
    void BuildLists();
    void ShowLogSetup();
    void TakeLogSetup();
    void PickAutoAdjust(const std::string& text, UserPrompts& prompts);
    void PickClearChoice(const std::string& text, UserPrompts& prompts);
    void PickQuickItem(int item, const std::string& text);
    void ShowQuickMenu(UserPrompts& prompts);
    // Sends the held quick menu and reads it back; false when a request went without reply.
    bool WriteQuickMenu(UserPrompts& prompts);

    std::vector<ListField> setupLists_;     // shown from the store by "Get Log Setup"
    std::vector<ListField> intervalLists_;  // "hr:" and "min:", shown from the interval
    std::vector<ListField> choiceLists_;    // "<LOGS>" choices, kept outside the store
    std::vector<ListField> quickLists_;     // the fifteen quick-menu items
    std::function<std::time_t()> clock_;
};

// Box texts of the page.
namespace logs_text {
inline constexpr char kSetupQuestion[] = "<LOG> Settings";
inline constexpr char kAutoAdjustQuestion[] = "Would you like to Adjust log time to PC time ?";
inline constexpr char kAutoAdjustCaption[] = "Auto adjust log time";
inline constexpr char kClearEventsQuestion[] = "Would you like to Clear all Events?";
inline constexpr char kClearEventsCaption[] = "CLEAR ALL EVENT";
inline constexpr char kClearIntervalsQuestion[] = "Would you like to Clear all Intervals?";
inline constexpr char kClearIntervalsCaption[] = "CLEAR ALL INTERVALS";
inline constexpr char kClearBothQuestion[] = "Would you like to Clear all Events and Intervals?";
inline constexpr char kClearBothCaption[] = "CLEAR ALL Events and INTERVALS";
inline constexpr char kQuickEmpty[] = "Current Quick CFG is Empty";
inline constexpr char kQuickCaption[] = "QUICK CFG";
inline constexpr char kDefaultQuickSent[] = "Korvant Quick Cfg Sent";
}  // namespace logs_text
