#include "app/main_window.h"

#include "app/connection_lists.h"
#include "pages/kit/app_flags.h"
#include "pages/kit/list_selection.h"
#include "pages/kit/panel_action.h"
#include "protocol/panel_registers.h"
#include "protocol/requests.h"
#include "protocol/value_store.h"
#include "resources/ids/configuration.h"
#include "resources/ids/diag_pwds_alerts.h"
#include "resources/ids/logs_quick_key.h"
#include "resources/ids/main_window.h"
#include "serial/serial_link.h"

#include <chrono>
#include <ctime>

namespace text = main_window_text;

namespace {
constexpr int kProgressRange = 20000;
constexpr int kProgressPerPage = 5000;
}  // namespace

CRegToolDlg::CRegToolDlg(UserPrompts& prompts) : prompts_(prompts) {
    form_[ids::window::kCommPort].items = PortItems();
    form_[ids::window::kBaud].items = BaudItems();
    form_[ids::window::kParity].items = ParityItems();
    form_[ids::window::kAddressMode].items = AddressModeItems();
    form_[ids::window::kCommAddress].items = CommAddressItems();
    for (int id : {ids::window::kConnectionGroup, ids::window::kConnect, ids::window::kIndicator,
                   ids::window::kHiddenExit, ids::window::kRegId, ids::window::kStatusLine}) {
        form_[id];
    }
    SetIndicator(false);
}

std::string ActivityText(const Activity& activity, const std::string& lastReply) {
    const uint64_t requests = activity.requests;
    std::string text = std::to_string(requests) + (requests == 1 ? " request, " : " requests, ") +
                       std::to_string(activity.incomplete) + " without reply";
    if (activity.cancelled > 0) {
        text += "; cancelled after " + std::to_string(requests) + " of " +
                std::to_string(requests + activity.cancelled) + " requests";
    }
    text += '.';
    if (!lastReply.empty()) {
        text += " Last complete reply at " + lastReply + ".";
    }
    return text;
}

void CRegToolDlg::RunPanelAction(const std::function<void()>& action) {
    // Actions nest (a page action may run another); the outermost one reports.
    const RequestStats before = RequestTotals();
    const bool outermost = !PanelWorkInProgress();
    {
        PanelActionScope scope;
        action();
    }
    if (!outermost) {
        return;
    }
    const RequestStats& after = RequestTotals();
    if (after.requests != before.requests || after.cancelled != before.cancelled) {
        ReportActivity({after.requests - before.requests,
                        after.incompleteReplies - before.incompleteReplies,
                        after.cancelled - before.cancelled});
    }
}

void CRegToolDlg::ReportActivity(const Activity& activity) {
    lastActionIncomplete_ = activity.incomplete > 0 || activity.cancelled > 0;
    std::string lastReply;
    if (const auto when = RequestTotals().lastCompleteReply) {
        const std::time_t t = std::chrono::system_clock::to_time_t(*when);
        std::tm local{};
        localtime_r(&t, &local);
        char clock[16];
        std::strftime(clock, sizeof clock, "%H:%M:%S", &local);
        lastReply = clock;
    }
    form_[ids::window::kStatusLine].text = ActivityText(activity, lastReply);
    SetIndicator(toggle_ && serial::IsPortOpen());
    form_.Changed();
}

std::vector<Page*> CRegToolDlg::AllPages() {
    return {&configuration_, &regulatorComm_, &metering_,    &logs_,
            &diag_,          &maintenance_,   &pseudoManual_};
}

void CRegToolDlg::LoadConnectionControls() {
    LoadedConnectionSettings loaded = LoadConnectionSettings();
    settingsFile_ = loaded.state;
    ApplySettings(loaded.settings);
    toggle_ = false;
    SetIndicator(false);
    form_.Changed();
}

void CRegToolDlg::ReportSettingsFile() {
    if (settingsFile_ == SettingsFileState::kMissing) {
        ShowOk(prompts_, text::kSettingsMissing, text::kLoadingDefaultsCaption);
    } else if (settingsFile_ == SettingsFileState::kInvalid) {
        ShowOk(prompts_, text::kSettingsInvalid, text::kLoadingDefaultsCaption);
    }
    settingsFile_ = SettingsFileState::kLoaded;
}

void CRegToolDlg::ApplySettings(const ConnectionSettings& s) {
    portNumber_ = s.portNumber;
    baudRate_ = kBaudRates[static_cast<std::size_t>(s.baudIndex)];
    parityCode_ = s.parityIndex;
    Protocol().addressMode = static_cast<uint8_t>(s.addressModeIndex);
    Protocol().commAddress = 0;

    SelectByPrefix(form_[ids::window::kCommPort], PortName(s.portNumber));
    SelectByPrefix(form_[ids::window::kBaud], kBaudNames[static_cast<std::size_t>(s.baudIndex)]);
    SelectByPrefix(form_[ids::window::kParity],
                   kParityNames[static_cast<std::size_t>(s.parityIndex)]);
    SelectByPrefix(form_[ids::window::kAddressMode],
                   kAddressModeNames[static_cast<std::size_t>(s.addressModeIndex)]);
    form_[ids::window::kCommAddress].enabled = s.addressModeIndex == 1;
    form_[ids::window::kCommAddress].selected = -1;
    form_[ids::window::kCommAddress].text.clear();
}

void CRegToolDlg::OnSelectionChanged(int controlId) {
    const std::string selected = form_[controlId].SelectedText();
    switch (controlId) {
        case ids::window::kCommPort:
            portNumber_ = LeadingNumber(selected);
            break;
        case ids::window::kBaud:
            baudRate_ = LeadingNumber(selected);
            break;
        case ids::window::kParity:
            parityCode_ = ::ParityCode(selected);
            break;
        case ids::window::kAddressMode: {
            bool on = selected == "ON";
            Protocol().addressMode = on ? 1 : 0;
            form_[ids::window::kCommAddress].enabled = on;
            form_.Changed();
            break;
        }
        case ids::window::kCommAddress: {
            int address = LeadingNumber(selected);
            if (address >= 0 && address <= 199) {
                Protocol().commAddress = static_cast<uint8_t>(address);
            }
            break;
        }
        default:
            break;
    }
}

void CRegToolDlg::OnCommand(int controlId) {
    switch (controlId) {
        case ids::window::kConnect:
            OnConnectButton();
            break;
        case ids::window::kHiddenExit:
            prompts_.EndWaitCursor();
            break;
        case ids::menu::kCloseTabs:
            OnCloseTabs();
            break;
        case ids::menu::kExit:
            OnExit();
            break;
        case ids::menu::kSaveConfig:
            SaveConfigFile();
            break;
        case ids::menu::kOpenConfig:
            OpenConfigFile();
            break;
        case ids::menu::kCreateReport:
            CreateReport();
            break;
        case ids::menu::kCompareWithConfig:
            CompareWithConfigFile();
            break;
        default:
            break;
    }
}

void CRegToolDlg::SetIndicator(bool connected) {
    form_[ids::window::kIndicator].background =
        !connected ? kLightGrey : (lastActionIncomplete_ ? kAmber : kGreen);
    form_[ids::window::kConnect].caption = connected ? "Disconnect" : "Connect";
}

void CRegToolDlg::OnConnectButton() {
    toggle_ = !toggle_;
    if (!toggle_) {
        Disconnect();
        return;
    }
    if (OpenCommPort(static_cast<unsigned>(portNumber_), static_cast<unsigned>(baudRate_),
                     parityCode_) == 0) {
        std::string why = serial::LastOpenError();
        serial::Diagnostic("Connect: COM" + std::to_string(portNumber_) + " not opened: " + why +
                           "\n");
        ShowOk(prompts_, text::kPortNotAvailable, text::kInvalidPortCaption, PromptIcon::kNone,
               why);
        toggle_ = !toggle_;
        return;
    }
    lastActionIncomplete_ = false;
    SetIndicator(true);
    Flags().connected = true;
    form_.Changed();

    bool panelAnswers = false;
    {
        // With the cable unplugged the version and link reads take seconds.
        WaitCursor wait(prompts_);
        SetUpTabs(false);
        panelAnswers = PanelAnswers();
    }
    if (!Flags().fileImported) {
        pagesSource_ = kComparePanelName;
    }

    if (Flags().fileImported) {
        UploadImported(panelAnswers);
    } else if (panelAnswers) {
        DownloadSettings();
    } else {
        ShowOk(prompts_, text::kConnectionError, text::kConnectionErrorCaption);
    }
    if (savesConnectionSettings_) {
        SaveSettings();
    }
}

void CRegToolDlg::AdoptOpenPort() {
    toggle_ = true;
    Flags().connected = true;
    SetIndicator(true);
    form_.Changed();
}

bool CRegToolDlg::PanelAnswers() {
    ReadRegisters(kLinkBank, kLinkRegister, 1, &Flags().linkValue);
    return Flags().linkValue != 0;
}

void CRegToolDlg::UploadSettings() {
    pagesSource_ = kComparePanelName;  // the pages read back what they sent
    CancellableProgress progress(prompts_, text::kProgressTitle, text::kUploading, kProgressRange);
    const std::function<void()> steps[] = {
        [this] { configuration_.Upload(prompts_); },
        [this] { regulatorComm_.Upload(prompts_); },
        [this] {
            logs_.Upload(prompts_);
            logs_.RefreshCounts(prompts_);
        },
        [this] { diag_.Upload(prompts_); },
    };
    for (const auto& step : steps) {
        // Once cancelled, no page asks to confirm settings that would not be sent.
        if (progress.Cancelled()) {
            return;
        }
        step();
        prompts_.StepProgress(kProgressPerPage);
    }
}

void CRegToolDlg::UploadImported(bool panelAnswers) {
    if (AskYesNo(prompts_, text::kImportedQuestion, text::kImportedCaption)) {
        if (panelAnswers) {
            UploadSettings();
        } else {
            ShowOk(prompts_, text::kConnectionError, text::kConnectionErrorCaption);
        }
    } else {
        ShowOk(prompts_, text::kImportedNotSent, text::kImportedNotSentCaption);
    }
    Flags().fileImported = false;
}

void CRegToolDlg::DownloadSettings() {
    {
        // Cancelled, every page still runs its reads: the ones not sent leave their registers
        // unread, so nothing of an earlier panel passes for this one's.
        CancellableProgress progress(prompts_, text::kProgressTitle, text::kDownloading,
                                     kProgressRange);
        prompts_.BeginWaitCursor();
        configuration_.Download(prompts_);
        prompts_.StepProgress(kProgressPerPage);
        regulatorComm_.Download(prompts_);
        prompts_.StepProgress(kProgressPerPage);
        logs_.Download(prompts_);
        logs_.RefreshCounts(prompts_);
        prompts_.StepProgress(kProgressPerPage);
        diag_.Download(prompts_);
        prompts_.StepProgress(kProgressPerPage);
    }
    prompts_.EndWaitCursor();
}

void CRegToolDlg::SaveSettings() {
    ConnectionSettings s;
    s.portNumber = portNumber_;
    s.baudIndex = form_[ids::window::kBaud].selected;
    s.parityIndex = form_[ids::window::kParity].selected;
    s.addressModeIndex = form_[ids::window::kAddressMode].selected;
    std::string error;
    if (!SaveConnectionSettings(s, &error)) {
        serial::Diagnostic("conset.kzx not saved: " + error + "\n");
        ShowOk(prompts_, text::kSettingsNotSaved, text::kSettingsNotSavedCaption,
               PromptIcon::kWarning, error);
    }
}

void CRegToolDlg::AddTab(Page& page) {
    tabs_.push_back(&page);
}

void CRegToolDlg::ReadVersionWord() {
    int32_t& word = StoreSlot(kSettingsBank, kVersionRegister);
    if (Flags().connected) {
        ReadRegisters(kSettingsBank, kVersionRegister, 1, &word);
    }
    SetPanelVersionWord(word);
}

void CRegToolDlg::SetUpTabs(bool refreshPages) {
    if (!Flags().tabsCreated) {
        AddTab(configuration_);
        AddTab(regulatorComm_);
        AddTab(metering_);
        AddTab(logs_);
        AddTab(diag_);
        ReadVersionWord();
        if (Flags().panelVersion >= kMaintenanceVersion && Flags().connected) {
            AddTab(maintenance_);
        }
        AddTab(pseudoManual_);
        for (int id : {ids::diag::kPanelType, ids::diag::kFixedOnTime, ids::diag::kTapIn,
                       ids::diag::kTapInType, ids::diag::kNeutralIn, ids::diag::kNeutralCount}) {
            diag_.Form()[id].enabled = false;
        }
        Flags().tabsCreated = true;
        if (tabsListener_) {
            tabsListener_();
        }
    }
    ApplyVersionRules();
    if (refreshPages) {
        Flags().connected = true;
        configuration_.Download(prompts_);
        regulatorComm_.Download(prompts_);
        logs_.Download(prompts_);
        diag_.Download(prompts_);
        Flags().connected = false;
    }
}

void CRegToolDlg::ApplyVersionRules() {
    ReadVersionWord();
    const int version = Flags().panelVersion;
    if (version < 411) {
        for (int id : {ids::config::kLowerLed, ids::config::kP2Calc, ids::config::kU2P2Out,
                       ids::config::kRemoteButton}) {
            configuration_.Form()[id].enabled = false;
        }
        logs_.Form()[ids::logs::kLogMinMax].enabled = false;
        diag_.Form()[ids::diag::kPanelType].enabled = false;
        diag_.Form()[ids::diag::kFixedOnTime].enabled = false;
    }
    if (version <= 308 && Flags().versionHighBits < 5) {
        configuration_.Form()[ids::config::kTimeoutDisplayScreen].enabled = false;
        configuration_.Form()[ids::config::kRemoteAuto].enabled = false;
    }
    if (version >= 410) {
        configuration_.Form()[ids::config::kRemoteAuto].enabled = false;
    }
    for (Page* page : tabs_) {
        page->Form().Changed();
    }
}

void CRegToolDlg::RemoveAllTabs() {
    tabs_.clear();
    Flags().tabsCreated = false;
    if (tabsListener_) {
        tabsListener_();
    }
}

void CRegToolDlg::Disconnect() {
    CloseCommPort();
    SetIndicator(false);
    RemoveAllTabs();
    Flags().connected = false;
    for (Page* page : AllPages()) {
        page->ResetWindow();
    }
    form_[ids::window::kStatusLine].text.clear();
    form_.Changed();
}

void CRegToolDlg::OnCloseTabs() {
    if (!Flags().fileImported) {
        if (!Flags().connected) {
            return;
        }
        if (!AskYesNo(prompts_, text::kCloseTabsQuestion, text::kCloseTabsCaption)) {
            return;
        }
        CloseCommPort();
        SetIndicator(false);
        toggle_ = !toggle_;
    } else if (Flags().connected) {
        // Leave the controls in step with the closed port, so the next click connects.
        CloseCommPort();
        SetIndicator(false);
        toggle_ = false;
    }
    RemoveAllTabs();
    Flags().connected = false;
    for (Page* page : AllPages()) {
        page->ResetWindow();
    }
    Flags().fileImported = false;
    form_.Changed();
}

void CRegToolDlg::OnExit() {
    if (serial::IsPortOpen()) {
        CloseCommPort();
    }
    prompts_.EndWaitCursor();
    if (exitHandler_) {
        exitHandler_(0);
    }
}
