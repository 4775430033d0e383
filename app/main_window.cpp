#include "app/main_window.h"

#include "app/app_flags.h"
#include "app/connection_lists.h"
#include "protocol/panel_registers.h"
#include "protocol/requests.h"
#include "protocol/value_store.h"
#include "resources/resource_ids.h"
#include "serial/serial_link.h"

namespace text = main_window_text;

namespace {
constexpr int kProgressRange = 20000;
constexpr int kProgressPerPage = 5000;
}  // namespace

CRegToolDlg::CRegToolDlg(UserPrompts& prompts) : prompts_(prompts) {
    form_[ids::kConnectionGroup].caption = "Connection";
    form_[ids::kCommPort].items = PortItems();
    form_[ids::kBaud].items = BaudItems();
    form_[ids::kParity].items = ParityItems();
    form_[ids::kAddressMode].items = AddressModeItems();
    form_[ids::kCommAddress].items = CommAddressItems();
    form_[ids::kConnect].caption = "Connect";
    form_[ids::kIndicator].readOnly = true;
    form_[ids::kIndicator].background = kLightGrey;
    form_[ids::kHiddenExit].caption = "Exit";
    form_[ids::kHiddenExit].visible = false;
    form_[ids::kRegId].visible = false;
}

std::vector<Page*> CRegToolDlg::AllPages() {
    return {&configuration_, &regulatorComm_, &metering_,    &logs_,
            &diag_,          &maintenance_,   &pseudoManual_};
}

void CRegToolDlg::OnInitDialog() {
    LoadedConnectionSettings loaded = LoadConnectionSettings();
    if (loaded.state == SettingsFileState::kMissing) {
        ShowOk(prompts_, text::kSettingsMissing, text::kLoadingDefaultsCaption);
    } else if (loaded.state == SettingsFileState::kInvalid) {
        ShowOk(prompts_, text::kSettingsInvalid, text::kLoadingDefaultsCaption);
    }
    ApplySettings(loaded.settings);
    toggle_ = false;
    SetIndicator(false);
    form_.Changed();
}

void CRegToolDlg::ApplySettings(const ConnectionSettings& s) {
    portNumber_ = s.portNumber;
    baudRate_ = kBaudRates[static_cast<std::size_t>(s.baudIndex)];
    parityCode_ = s.parityIndex;
    Protocol().addressMode = static_cast<uint8_t>(s.addressModeIndex);
    Protocol().commAddress = 0;

    form_[ids::kCommPort].SelectString(PortName(s.portNumber));
    form_[ids::kBaud].SelectString(kBaudNames[static_cast<std::size_t>(s.baudIndex)]);
    form_[ids::kParity].SelectString(kParityNames[static_cast<std::size_t>(s.parityIndex)]);
    form_[ids::kAddressMode].SelectString(
        kAddressModeNames[static_cast<std::size_t>(s.addressModeIndex)]);
    form_[ids::kCommAddress].enabled = s.addressModeIndex == 1;
    form_[ids::kCommAddress].selected = -1;
    form_[ids::kCommAddress].text.clear();
}

void CRegToolDlg::OnSelectionChanged(int controlId) {
    const std::string selected = form_[controlId].SelectedText();
    switch (controlId) {
        case ids::kCommPort:
            portNumber_ = LeadingNumber(selected);
            break;
        case ids::kBaud:
            baudRate_ = LeadingNumber(selected);
            break;
        case ids::kParity:
            parityCode_ = ::ParityCode(selected);
            break;
        case ids::kAddressMode: {
            bool on = selected == "ON";
            Protocol().addressMode = on ? 1 : 0;
            form_[ids::kCommAddress].enabled = on;
            form_.Changed();
            break;
        }
        case ids::kCommAddress: {
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
        case ids::kConnect:
            OnConnectButton();
            break;
        case ids::kHiddenExit:
            prompts_.EndWaitCursor();
            break;
        case ids::kMenuCloseTabs:
            OnCloseTabs();
            break;
        case ids::kMenuExit:
            OnExit();
            break;
        case ids::kMenuSaveConfig:
            NotAvailableYet("Saving a configuration file");
            break;
        case ids::kMenuOpenConfig:
            NotAvailableYet("Opening a configuration file");
            break;
        case ids::kMenuCreateReport:
            NotAvailableYet("The settings report");
            break;
        default:
            break;
    }
}

void CRegToolDlg::NotAvailableYet(const std::string& what) {
    ShowOk(prompts_, what + " is not available in this version", text::kNotAvailableCaption,
           PromptIcon::kInformation);
}

void CRegToolDlg::SetIndicator(bool connected) {
    form_[ids::kIndicator].background = connected ? kGreen : kLightGrey;
    form_[ids::kConnect].caption = connected ? "Disconnect" : "Connect";
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
    SetIndicator(true);
    Flags().connected = true;
    form_.Changed();

    SetUpTabs(false);

    int32_t link = 0;
    ReadRegisters(kLinkBank, kLinkRegister, 1, &link);
    bool panelAnswers = link != 0;

    if (Flags().fileImported) {
        UploadImported(panelAnswers);
    } else if (panelAnswers) {
        DownloadAll();
    } else {
        ShowOk(prompts_, text::kConnectionError, text::kConnectionErrorCaption);
    }
    SaveSettings();
}

void CRegToolDlg::UploadImported(bool panelAnswers) {
    if (AskYesNo(prompts_, text::kImportedQuestion, text::kImportedCaption)) {
        if (panelAnswers) {
            configuration_.Upload(prompts_);
            regulatorComm_.Upload(prompts_);
            logs_.Upload(prompts_);
            logs_.RefreshCounts(prompts_);
            diag_.Upload(prompts_);
        } else {
            ShowOk(prompts_, text::kConnectionError, text::kConnectionErrorCaption);
        }
    } else {
        ShowOk(prompts_, text::kImportedNotSent, text::kImportedNotSentCaption);
    }
    Flags().fileImported = false;
}

void CRegToolDlg::DownloadAll() {
    prompts_.CreateProgress(text::kProgressTitle, true);
    prompts_.SetProgressRange(0, kProgressRange, 1);
    prompts_.SetProgressText(text::kDownloading);
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
    prompts_.DestroyProgress();
    prompts_.EndWaitCursor();
}

void CRegToolDlg::SaveSettings() {
    ConnectionSettings s;
    s.portNumber = portNumber_;
    s.baudIndex = form_[ids::kBaud].selected;
    s.parityIndex = form_[ids::kParity].selected;
    s.addressModeIndex = form_[ids::kAddressMode].selected;
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
        if (Flags().panelVersion >= 410 && Flags().connected) {
            AddTab(maintenance_);
        }
        AddTab(pseudoManual_);
        for (int id : {ids::kPanelType, ids::kFixedOnTime, ids::kTapIn, ids::kTapInType,
                       ids::kNeutralIn, ids::kNeutralCount}) {
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
        for (int id : {ids::kLowerLed, ids::kP2Calc, ids::kU2P2Out, ids::kRemoteButton}) {
            configuration_.Form()[id].enabled = false;
        }
        logs_.Form()[ids::kLogMinMax].enabled = false;
        diag_.Form()[ids::kPanelType].enabled = false;
        diag_.Form()[ids::kFixedOnTime].enabled = false;
    }
    if (version <= 308 && Flags().versionHighBits < 5) {
        configuration_.Form()[ids::kTimeoutDisplayScreen].enabled = false;
        configuration_.Form()[ids::kRemoteAuto].enabled = false;
    }
    if (version >= 410) {
        configuration_.Form()[ids::kRemoteAuto].enabled = false;
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
        page->EmptyTexts();
    }
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
        page->EmptyTexts();
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
